#include "link/new_password.h"

#include <algorithm>

namespace kvx {

std::optional<std::u16string> NewPasswordProblem(const std::u16string& Password)
{
    // One byte a character, read back up to the first byte outside the printable range.
    if (!std::all_of(Password.begin(), Password.end(), [](char16_t c) { return c >= 0x20 && c <= 0x7E; }))
        return std::u16string(PasswordNotASCIIMessage);
    if (Password.size() > PasswordLength) return std::u16string(PasswordTooLongMessage);
    // Reading trims blanks: such a password would never match what the unit gives back.
    if (!Password.empty() && (Password.front() == u' ' || Password.back() == u' '))
        return std::u16string(PasswordBlankEdgeMessage);
    return std::nullopt;
}

TPasswordStoreResult StoreNewPassword(TKVX& KVX, const std::u16string& Password)
{
    if (const TKVXResult code = KVX.WritePassword(Password); code != TKVXResult::OK) return {TPasswordStore::WriteFailed, code};
    std::u16string stored;
    if (const TKVXResult code = KVX.ReadPassword(stored); code != TKVXResult::OK) return {TPasswordStore::ReadBackFailed, code};
    if (stored != Password) return {TPasswordStore::NotKept, TKVXResult::OK};
    return {};
}

} // namespace kvx
