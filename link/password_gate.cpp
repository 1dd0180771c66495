#include "link/password_gate.h"

namespace kvx {

TPasswordCheck ProveUnitPassword(TKVX& KVX, const TPasswordPrompt& AskPassword)
{
    std::u16string stored;
    const uint8_t code = KVX.ReadPassword(stored);
    if (code != ResultOK) return {TPasswordOutcome::ReadFailed, code};
    if (stored.empty() || stored == KVX.SessionPassword) return {};
    const std::optional<std::u16string> typed = AskPassword();
    if (!typed) return {TPasswordOutcome::Cancelled, ResultOK};
    if (*typed != stored) return {TPasswordOutcome::Incorrect, ResultOK};
    KVX.SessionPassword = *typed;
    return {};
}

} // namespace kvx
