#include "link/password_gate.h"

namespace kvx {

TPasswordCheck ProveUnitPassword(TKVX& KVX, const TPasswordPrompt& AskPassword)
{
    std::u16string stored;
    const TKVXResult code = KVX.ReadPassword(stored);
    if (code != TKVXResult::OK) return {TPasswordOutcome::ReadFailed, code};
    // The remembered password belongs to the unit it was proven on: a unit without one is
    // written without one.
    if (stored.empty()) KVX.SessionPassword.clear();
    if (stored.empty() || stored == KVX.SessionPassword) return {};
    const std::optional<std::u16string> typed = AskPassword();
    if (!typed) return {TPasswordOutcome::Cancelled, TKVXResult::OK};
    if (*typed != stored) return {TPasswordOutcome::Incorrect, TKVXResult::OK};
    KVX.SessionPassword = *typed;
    return {};
}

} // namespace kvx
