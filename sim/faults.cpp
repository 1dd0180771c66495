#include "sim/faults.h"

#include <algorithm>
#include <charconv>

namespace kvx::sim {

namespace {

struct TKindName {
    std::string_view Name;
    TFaultKind Kind;
    bool TakesScope;
};

constexpr TKindName KindNames[] = {
    {"drop-reply", TFaultKind::DropReply, true},  {"bad-crc", TFaultKind::BadCrc, true},
    {"stray", TFaultKind::Stray, true},           {"wrong-ack", TFaultKind::WrongAck, true},
    {"stop-after-page", TFaultKind::StopAfterPage, false}, {"overrun", TFaultKind::Overrun, false},
    {"corrupt-byte", TFaultKind::CorruptByte, false},
};

struct TScopeName {
    std::string_view Name;
    TFaultScope Scope;
};

constexpr TScopeName ScopeNames[] = {
    {"page", TFaultScope::Pages},         {"read", TFaultScope::ReadPage},
    {"write", TFaultScope::WritePage},    {"enter", TFaultScope::EnterConfig},
    {"begin", TFaultScope::BeginTransfer}, {"exit", TFaultScope::ExitConfig},
    {"all", TFaultScope::All},
};

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::optional<TFault> ParseOne(std::string_view item)
{
    std::string_view scope;
    std::string_view number;
    if (const auto at = item.find('@'); at != std::string_view::npos) {
        scope = item.substr(at + 1);
        item = item.substr(0, at);
    }
    if (const auto eq = item.find('='); eq != std::string_view::npos) {
        number = item.substr(eq + 1);
        item = item.substr(0, eq);
    }
    const auto kind = std::find_if(std::begin(KindNames), std::end(KindNames),
                                   [&](const TKindName& k) { return k.Name == item; });
    if (kind == std::end(KindNames)) return std::nullopt;
    TFault fault;
    fault.Kind = kind->Kind;
    if (!scope.empty()) {
        if (!kind->TakesScope) return std::nullopt;
        const auto s = std::find_if(std::begin(ScopeNames), std::end(ScopeNames),
                                    [&](const TScopeName& n) { return n.Name == scope; });
        if (s == std::end(ScopeNames)) return std::nullopt;
        fault.Scope = s->Scope;
    }
    const bool wantsNumber = fault.Kind == TFaultKind::StopAfterPage || fault.Kind == TFaultKind::CorruptByte;
    if (wantsNumber != !number.empty()) return std::nullopt;
    if (!wantsNumber) return fault;
    int base = 10;
    if (fault.Kind == TFaultKind::CorruptByte && number.size() > 2 && number.substr(0, 2) == "0x") {
        number.remove_prefix(2);
        base = 16;
    }
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value, base);
    if (error != std::errc() || end != number.data() + number.size()) return std::nullopt;
    if (fault.Kind == TFaultKind::CorruptByte) {
        if (value >= UnitMemorySize) return std::nullopt;
        fault.Address = value;
    } else {
        fault.Pages = value;
    }
    return fault;
}

bool ScopeCovers(TFaultScope scope, TKVXCommand command)
{
    switch (scope) {
    case TFaultScope::Pages: return command == TKVXCommand::ReadPage || command == TKVXCommand::WritePage;
    case TFaultScope::ReadPage: return command == TKVXCommand::ReadPage;
    case TFaultScope::WritePage: return command == TKVXCommand::WritePage;
    case TFaultScope::EnterConfig: return command == TKVXCommand::EnterConfig;
    case TFaultScope::BeginTransfer: return command == TKVXCommand::BeginTransfer;
    case TFaultScope::ExitConfig: return command == TKVXCommand::ExitConfig;
    case TFaultScope::All: return true;
    }
    return false;
}

} // namespace

std::optional<TFaultList> ParseFaults(std::string_view Text)
{
    TFaultList faults;
    Text = Trimmed(Text);
    if (Text.empty() || Text == "none") return faults;
    while (!Text.empty()) {
        const auto comma = Text.find(',');
        const auto item = Trimmed(Text.substr(0, comma));
        Text = comma == std::string_view::npos ? std::string_view{} : Text.substr(comma + 1);
        auto fault = ParseOne(item);
        if (!fault) return std::nullopt;
        faults.push_back(*fault);
    }
    return faults;
}

bool FaultHits(const TFaultList& Faults, TFaultKind Kind, TKVXCommand Command)
{
    return std::any_of(Faults.begin(), Faults.end(),
                       [&](const TFault& f) { return f.Kind == Kind && ScopeCovers(f.Scope, Command); });
}

std::vector<uint32_t> CorruptedAddresses(const TFaultList& Faults)
{
    std::vector<uint32_t> addresses;
    for (const auto& f : Faults)
        if (f.Kind == TFaultKind::CorruptByte) addresses.push_back(f.Address);
    return addresses;
}

std::optional<uint32_t> StopAfterPages(const TFaultList& Faults)
{
    for (const auto& f : Faults)
        if (f.Kind == TFaultKind::StopAfterPage) return f.Pages;
    return std::nullopt;
}

} // namespace kvx::sim
