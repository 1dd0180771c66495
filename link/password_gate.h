#pragma once
// Before a read or a write: read the unit's password and, when it has one not yet proven in
// this run, ask for it. A failed password read never counts as "no password". A unit without
// a password clears the remembered one, so a write never carries one unit's password to another.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "link/kvx.h"

namespace kvx {

enum class TPasswordOutcome {
    Proven,      // no password, already proven, or typed correctly (SessionPassword set)
    ReadFailed,  // the password page could not be read; Code says why
    Cancelled,   // the user closed the prompt
    Incorrect,   // the typed text differs (case matters)
};

struct TPasswordCheck {
    TPasswordOutcome Outcome = TPasswordOutcome::Proven;
    TKVXResult Code = TKVXResult::OK;  // ReadFailed: what TKVX::ReadPassword returned
};

// AskPassword shows the prompt; an empty optional means it was cancelled.
using TPasswordPrompt = std::function<std::optional<std::u16string>()>;

TPasswordCheck ProveUnitPassword(TKVX& KVX, const TPasswordPrompt& AskPassword);

} // namespace kvx
