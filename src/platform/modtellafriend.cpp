#include "modtellafriend.h"

#include "browser.h"
#include "hosts.h"
#include "trimspaces.h"

#include <QUrl>

namespace modTellAFriend {
namespace {

const char kScript[] = "/orvelkit-refer-a-friend.php";

QString encoded(const QString &value)
{
    // With no exceptions, only RFC 3986's unreserved characters stay as they are.
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

// The one value that carries no user input: the program's own site.
QString productSite()
{
    return QStringLiteral("http://") + QLatin1StringView(Hosts::kProductSite) + QLatin1Char('/');
}

bool missing(const QString &value, const char *placeholder)
{
    return value.isEmpty() || value == shownPlaceholder(placeholder);
}

bool proper(const QString &address)
{
    return address.contains(QLatin1Char('@')) && address.contains(QLatin1Char('.'));
}

Request refused(const char *message)
{
    return {QString(), QCoreApplication::translate("modTellAFriend", message)};
}

}  // namespace

Referral StoreValues(const QString &name, const QString &email, const QString &message, const QString &friendName,
                     const QString &friendEmail)
{
    return {TrimSpaces(name), TrimSpaces(email), TrimSpaces(message), TrimSpaces(friendName), TrimSpaces(friendEmail)};
}

Request ReferralRequest(const Referral &values)
{
    if (values.email == values.friendEmail)
        return refused(QT_TRANSLATE_NOOP("modTellAFriend", "Please Enter Distinct Email Addresses"));
    if (!proper(values.email) || !proper(values.friendEmail))
        return refused(QT_TRANSLATE_NOOP("modTellAFriend", "Please Enter Proper Email Address"));
    if (missing(values.name, kNamePlaceholder))
        return refused(QT_TRANSLATE_NOOP("modTellAFriend", "Please Enter Your Name"));
    if (missing(values.message, kMessagePlaceholder))
        return refused(QT_TRANSLATE_NOOP("modTellAFriend", "Please Enter Your Message"));
    if (missing(values.friendName, kFriendNamePlaceholder))
        return refused(QT_TRANSLATE_NOOP("modTellAFriend", "Please Enter Your Friend's Name"));
    return {RequestAddress(values), QString()};
}

QString RequestAddress(const Referral &values)
{
    // The request names two people and their e-mail addresses, so it travels encrypted.
    return QStringLiteral("https://") + QLatin1StringView(Hosts::kMakerSite) + QLatin1StringView(kScript)
           + QStringLiteral("?taf1=") + encoded(values.name) + QStringLiteral("&taf2=") + encoded(values.email)
           + QStringLiteral("&taf3=") + encoded(values.message) + QStringLiteral("&taf4=") + encoded(values.friendName)
           + QStringLiteral("&taf5=") + encoded(values.friendEmail) + QStringLiteral("&taf6=") + encoded(productSite());
}

void OpenReferralRequest(const QString &address)
{
    Browser::open(address);
}

}  // namespace modTellAFriend
