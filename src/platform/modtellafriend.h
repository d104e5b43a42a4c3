// Refer a friend: checks the names and the message of a recommendation and
// opens the maker's referral script with them in the browser.
#pragma once

#include <QString>

class QWidget;

namespace modTellAFriend {

// What each box of the refer-a-friend box shows until the user fills it in.
inline constexpr char kNamePlaceholder[] = "Your Name";
inline constexpr char kEmailPlaceholder[] = "Your Email Address";
inline constexpr char kMessagePlaceholder[] = "Your Message";
inline constexpr char kFriendNamePlaceholder[] = "Friend's Name";
inline constexpr char kFriendEmailPlaceholder[] = "Friend's Email Address";

// The five values of one press of the refer-a-friend button, already trimmed.
struct Referral {
    QString name;
    QString email;
    QString message;
    QString friendName;
    QString friendEmail;
};

// Keeps the values of a press; every press overwrites them before any check.
void StoreValues(const Referral &values);
const Referral &StoredValues();

// Checks the stored name, message and friend's name, telling the user over
// owner what is missing; when they pass, builds the request and opens it.
void SendReferral(QWidget *owner);

// The request for these values: each value percent-encoded as UTF-8, so that
// the script reads back exactly what was typed.
QString RequestAddress(const Referral &values);

// Opens the request that SendReferral built last.
void OpenReferralRequest();

}  // namespace modTellAFriend
