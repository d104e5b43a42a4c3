// Opening a web address in the user's default browser: the one way the
// program reaches the web, replaceable by tests.
#pragma once

#include <QString>

#include <functional>

namespace Browser {

// Hands the address to the desktop's default browser as one argument, without
// a shell; nothing waits and nothing is reported. Characters that an address
// may not hold as they are (the spaces and line breaks of a referral's user
// text) are percent-encoded, as a browser does with a typed address; anything
// but an http or https address opens nothing.
void open(const QString &address);

// Tests see the finished addresses; an empty launcher brings back the real
// one. Returns the launcher that was in place.
using Launcher = std::function<void(const QString &address)>;
Launcher setLauncher(Launcher launcher);

}  // namespace Browser
