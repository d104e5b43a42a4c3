// Points the per-user settings and runtime folders at a fresh temporary
// folder before the application object exists, so that tests never touch
// the real user's settings or locks.
#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TempUserFolders
{
public:
    TempUserFolders()
    {
        QDir(m_root.path()).mkpath(QStringLiteral("config"));
        QDir(m_root.path()).mkpath(QStringLiteral("runtime"));
        // The runtime folder must be private to its user.
        QFile::setPermissions(runtime(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config()));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime()));
    }

    QString config() const { return m_root.filePath(QStringLiteral("config")); }
    QString runtime() const { return m_root.filePath(QStringLiteral("runtime")); }

private:
    QTemporaryDir m_root;
};

// QTEST_MAIN, with the user folders redirected first.
#define ORVEL_TEST_MAIN_IN_TEMP_FOLDERS(TestObject)                                                                    \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        TempUserFolders folders;                                                                                       \
        QApplication app(argc, argv);                                                                                  \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        TestObject test;                                                                                               \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
