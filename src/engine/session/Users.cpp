// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/Users.h"

#include "engine/session/Session.h"
#include "engine/settings/Folders.h"
#include "engine/settings/Settings.h"
#include "engine/settings/SettingsStore.h"
#include "engine/text/AtomicFile.h"
#include "engine/text/Cp932.h"
#include "engine/text/Texts.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <system_error>

namespace mitoran {

namespace {

constexpr int kDigitKeys = 10;
constexpr int kAccessKeys = 36;

// The bytes with single-byte a-z folded to A-Z; the trail bytes of double-byte characters stay as they are.
std::string FoldedForSorting(std::string_view name) {
    std::string folded(name);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        const auto byte = static_cast<unsigned char>(folded[i]);
        if (IsLeadByte(byte))
            ++i;
        else if (byte >= 'a' && byte <= 'z')
            folded[i] = static_cast<char>(byte - 'a' + 'A');
    }
    return folded;
}

std::string AccessKeyPrefix(int index) {
    if (index < kDigitKeys)
        return std::string("&") + static_cast<char>('0' + index) + " ";
    if (index < kAccessKeys)
        return std::string("&") + static_cast<char>('A' + index - kDigitKeys) + " ";
    return {};
}

// A "&" in a name is shown, not taken as an access key.
std::string MenuText(std::string_view name) {
    std::string text;
    for (std::size_t i = 0; i < name.size(); ++i) {
        text += name[i];
        if (IsLeadByte(static_cast<unsigned char>(name[i])) && i + 1 < name.size())
            text += name[++i];
        else if (name[i] == '&')
            text += '&';
    }
    return text;
}

std::string NameOf(const std::filesystem::path& path) {
    const std::u8string utf8 = path.filename().u8string();
    return Utf8ToCp932(std::string(utf8.begin(), utf8.end()));
}

} // namespace

bool IsUsableUserName(std::string_view name) {
    if (name == "." || name == "..")
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (IsLeadByte(byte)) {
            ++i;
            continue;
        }
        if (byte < 0x20 || byte == 0x7F || byte == '/' || byte == '\\' || byte == ':')
            return false;
    }
    return true;
}

void SortUserNames(std::vector<std::string>& names) {
    std::ranges::sort(names, [](const std::string& a, const std::string& b) {
        const std::string foldedA = FoldedForSorting(a);
        const std::string foldedB = FoldedForSorting(b);
        return foldedA != foldedB ? foldedA < foldedB : a < b;
    });
}

std::vector<std::string> KnownUsers(const Folders& folders, const SettingsStore& store) {
    std::vector<std::string> users;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folders.DataFolder(), error), end; !error && entry != end;
         entry.increment(error)) {
        std::string name = NameOf(entry->path());
        if (IsUsableUserName(name) && store.KeyExists(UserKeyPath(name)))
            users.push_back(std::move(name));
    }
    SortUserNames(users);
    return users;
}

std::vector<UserMenuItem> UserMenuItems(const std::vector<std::string>& users) {
    std::vector<UserMenuItem> items;
    items.push_back({AccessKeyPrefix(0) + text::kCurrentUserCaption, ""});
    for (const std::string& user : users) {
        const int index = static_cast<int>(items.size());
        items.push_back({AccessKeyPrefix(index) + MenuText(user), user});
    }
    return items;
}

SwitchOutcome SwitchUser(Session& session, const std::string& user, YearMonth shown,
                         const std::function<bool()>& mayLeaveMonth) {
    if (user == session.CurrentUser())
        return SwitchOutcome::SameUser;
    if (!mayLeaveMonth())
        return SwitchOutcome::Refused;
    std::exception_ptr refused;
    try {
        session.LoadUser(user);
    } catch (const FileWriteError&) {
        refused = std::current_exception();
    }
    session.ShowMonth(shown.year, shown.month, true);
    if (refused)
        std::rethrow_exception(refused);
    return SwitchOutcome::Switched;
}

} // namespace mitoran
