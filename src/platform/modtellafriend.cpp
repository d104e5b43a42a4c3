#include "modtellafriend.h"

#include "browser.h"
#include "hosts.h"
#include "messagebox.h"

#include <QUrl>

namespace modTellAFriend {
namespace {

Referral g_values;
QString g_request;

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
    return value.isEmpty() || value == QLatin1StringView(placeholder);
}

}  // namespace

void StoreValues(const Referral &values)
{
    g_values = values;
}

const Referral &StoredValues()
{
    return g_values;
}

void SendReferral(QWidget *owner)
{
    if (missing(g_values.name, kNamePlaceholder)) {
        MsgBox::showInputError(owner, QStringLiteral("Please Enter Your Name"));
        return;
    }
    if (missing(g_values.message, kMessagePlaceholder)) {
        MsgBox::showInputError(owner, QStringLiteral("Please Enter Your Message"));
        return;
    }
    if (missing(g_values.friendName, kFriendNamePlaceholder)) {
        MsgBox::showInputError(owner, QStringLiteral("Please Enter Your Friend's Name"));
        return;
    }
    g_request = RequestAddress(g_values);
    OpenReferralRequest();
}

QString RequestAddress(const Referral &values)
{
    // The request names two people and their e-mail addresses, so it travels encrypted.
    return QStringLiteral("https://") + QLatin1StringView(Hosts::kMakerSite) + QLatin1StringView(kScript)
           + QStringLiteral("?taf1=") + encoded(values.name)
           + QStringLiteral("&taf2=") + encoded(values.email)
           + QStringLiteral("&taf3=") + encoded(values.message)
           + QStringLiteral("&taf4=") + encoded(values.friendName)
           + QStringLiteral("&taf5=") + encoded(values.friendEmail)
           + QStringLiteral("&taf6=") + encoded(productSite());
}

void OpenReferralRequest()
{
    Browser::open(g_request);
}

}  // namespace modTellAFriend
