#pragma once
// The superuser writes anywhere: a case about write rights is run again as a plain user.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

// Runs the test function again in a child process as the user "nobody"; "" when it passed,
// else what the child wrote.
inline QString Rejouer_sans_privileges(const QString& fonction)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", QCoreApplication::applicationFilePath(),
                        fonction});
    if (!p.waitForFinished(120000))
        return "the child did not end: " + QString::fromLocal8Bit(p.readAll());
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString::fromLocal8Bit(p.readAll());
    return QString();
}

// At the top of a test function about write rights: as the superuser, the function is run again
// as a plain user, whose result is the test's.
#define REJOUER_SANS_PRIVILEGES()                                                                  \
    do {                                                                                           \
        if (geteuid() == 0) {                                                                      \
            const QString echec = Rejouer_sans_privileges(QTest::currentTestFunction());            \
            QVERIFY2(echec.isEmpty(), qPrintable(echec));                                          \
            return;                                                                                \
        }                                                                                          \
    } while (false)

// The application folder made read-only (a shared installation) and the system's temporary
// folder moved to a fresh one, whose content can then be looked at; both put back at the end.
class ApplicationLectureSeule {
public:
    explicit ApplicationLectureSeule(const QString& application)
        : m_application(application), m_tmpdir(qgetenv("TMPDIR"))
    {
        qputenv("TMPDIR", QFile::encodeName(m_systeme.path()));
        QFile::setPermissions(m_application, QFile::ReadOwner | QFile::ExeOwner);
    }
    ~ApplicationLectureSeule()
    {
        QFile::setPermissions(m_application, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("TMPDIR", m_tmpdir);
    }
    ApplicationLectureSeule(const ApplicationLectureSeule&) = delete;
    ApplicationLectureSeule& operator=(const ApplicationLectureSeule&) = delete;
    // What is left in the system's temporary folder.
    QStringList systeme() const
    {
        return QDir(m_systeme.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

private:
    QTemporaryDir m_systeme;
    QString m_application;
    QByteArray m_tmpdir;
};
