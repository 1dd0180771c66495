#include "image/kvx_config.h"

#include <array>
#include <cstring>

namespace kvx {

namespace {

template <typename T>
constexpr TFieldKind KindOf()
{
    if constexpr (std::is_same_v<T, uint8_t>) return TFieldKind::Byte;
    else if constexpr (std::is_same_v<T, TWordMSBFirst>) return TFieldKind::Word;
    else if constexpr (std::is_same_v<T, TKVXLabel>) return TFieldKind::Label;
    else if constexpr (std::is_same_v<T, TDistributeMessages>) return TFieldKind::DistributeMessages;
    else return TFieldKind::Bytes;
}

#define KVX_FIELD_INFO(name, type, offset) \
    TFieldInfo{#name, offsetof(TKVXConfig, name), sizeof(type), KindOf<type>()},
constexpr TFieldInfo Fields[] = {KVX_CONFIG_FIELDS(KVX_FIELD_INFO)};
#undef KVX_FIELD_INFO

} // namespace

TKVXConfig ErasedConfig()
{
    TKVXConfig config;
    std::memset(config.Bytes(), 0xFF, TKVXConfig::Size);
    return config;
}

std::span<const TFieldInfo> ConfigFields()
{
    return Fields;
}

bool IsReservedField(std::string_view Name) { return Name.starts_with("Unknown") || Name == "NotAllocated"; }

bool IsInputDelayField(std::string_view Name) { return Name.starts_with("Input") && Name.ends_with("Delay"); }

} // namespace kvx
