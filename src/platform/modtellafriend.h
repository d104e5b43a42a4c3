// Refer a friend: the five values of one press, the checks that may refuse
// them, and the request address on the maker's site that carries them.
#pragma once

#include <QCoreApplication>
#include <QString>

namespace modTellAFriend {

// What each box of the refer-a-friend box shows until the user fills it in.
inline constexpr char kNamePlaceholder[] = QT_TRANSLATE_NOOP("modTellAFriend", "Your Name");
inline constexpr char kEmailPlaceholder[] = QT_TRANSLATE_NOOP("modTellAFriend", "Your Email Address");
inline constexpr char kMessagePlaceholder[] = QT_TRANSLATE_NOOP("modTellAFriend", "Your Message");
inline constexpr char kFriendNamePlaceholder[] = QT_TRANSLATE_NOOP("modTellAFriend", "Friend's Name");
inline constexpr char kFriendEmailPlaceholder[] = QT_TRANSLATE_NOOP("modTellAFriend", "Friend's Email Address");

// A placeholder as the box shows it, in the user's language; what the user left
// untouched is recognised by this same text, never by the English one.
inline QString shownPlaceholder(const char *placeholder)
{
    return QCoreApplication::translate("modTellAFriend", placeholder);
}

// The five values of one press of the refer-a-friend button, already trimmed.
struct Referral {
    QString name;
    QString email;
    QString message;
    QString friendName;
    QString friendEmail;
};

// The values of a press as the boxes hold them, each trimmed of its spaces;
// every press takes them afresh before any check.
Referral StoreValues(const QString &name, const QString &email, const QString &message, const QString &friendName,
                     const QString &friendEmail);

// What a press comes to: the address to open, or the message that refuses
// the values (exactly one of the two is set).
struct Request {
    QString address;
    QString refusal;
};

// Runs the checks in their order (distinct e-mail addresses, proper ones,
// the sender's name, the message, the friend's name); the first that fails
// gives its message, and values that pass give their request address.
Request ReferralRequest(const Referral &values);

// The request for these values: each value percent-encoded as UTF-8, so that
// the script reads back exactly what was typed.
QString RequestAddress(const Referral &values);

// Opens a request address in the browser, as every link of the program opens.
void OpenReferralRequest(const QString &address);

}  // namespace modTellAFriend
