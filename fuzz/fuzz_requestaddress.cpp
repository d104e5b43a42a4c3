// The referral request address must carry the five values so that the
// maker's script reads back exactly what was typed, whatever it was: the
// address parses as a strict URL to the script, with taf1 to taf6 in order
// and nothing else, each value decoding to the one given.
#include "hosts.h"
#include "modtellafriend.h"

#include <QString>
#include <QUrl>
#include <QUrlQuery>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void fail(const char *what, const QString &address)
{
    std::fprintf(stderr, "%s: %s\n", what, address.toUtf8().constData());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    return 0;
}

// The input is up to five UTF-8 texts separated by the byte 0xFF, which no
// UTF-8 text holds; bytes that are not UTF-8 arrive as replacement characters,
// as they would from a text box.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QString values[5];
    int field = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= size && field < 5; ++i) {
        if (i == size || data[i] == 0xFF) {
            values[field++] = QString::fromUtf8(reinterpret_cast<const char *>(data + start),
                                                static_cast<qsizetype>(i - start));
            start = i + 1;
        }
    }
    const modTellAFriend::Referral referral{values[0], values[1], values[2], values[3], values[4]};
    const QString address = modTellAFriend::RequestAddress(referral);

    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid())
        fail("not a valid address", address);
    if (url.scheme() != QLatin1String("https") || url.host() != QLatin1StringView(Hosts::kMakerSite)
        || url.path() != QLatin1String("/orvelkit-refer-a-friend.php") || url.hasFragment())
        fail("not the referral script", address);

    // Taken apart still encoded, then decoded as a web server decodes a
    // query: '+' for a space, each %XX a byte, the bytes UTF-8. (QUrl's own
    // decoding leaves the UTF-8 of noncharacters such as U+3FFFF encoded.)
    const QUrlQuery query(url);
    const auto items = query.queryItems(QUrl::FullyEncoded);
    if (items.size() != 6)
        fail("not six query items", address);
    const QString expected[6] = {
        values[0], values[1], values[2],
        values[3], values[4], QStringLiteral("http://") + QLatin1StringView(Hosts::kProductSite) + QLatin1Char('/')};
    for (int i = 0; i < 6; ++i) {
        if (items.at(i).first != QStringLiteral("taf%1").arg(i + 1))
            fail("query items out of order", address);
        const QByteArray raw = items.at(i).second.toLatin1();
        if (QUrl::fromPercentEncoding(QByteArray(raw).replace('+', ' ')) != expected[i])
            fail("a value does not read back", address);
    }
    return 0;
}
