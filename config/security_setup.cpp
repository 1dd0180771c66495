#include "config/security_setup.h"

#include "config/text_fields.h"

namespace kvx {

namespace {
constexpr uint8_t On = 255;
}

std::u16string DecodeCommandPIN(const TKVXConfig& Config) { return ReadText(Config.PIN); }

void EncodeCommandPIN(TKVXConfig& Config, const std::u16string& PIN)
{
    if (!PIN.empty()) WriteText(Config.PIN, PIN, PadZero);
}

bool DecodeVerifySender(const TKVXConfig& Config) { return Config.VerifySender == On; }

void EncodeVerifySender(TKVXConfig& Config, bool Verify) { Config.VerifySender = Verify ? On : 0; }

} // namespace kvx
