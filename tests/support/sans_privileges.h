#pragma once
// The superuser writes anywhere: a case about write rights is run again as a plain user.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

#include <sys/mount.h>
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

// A case about a file system of its own (a small disk, a read-only one) runs again in a user and
// mount namespace of its own, where it may mount one; the environment variable tells the run
// inside. "" when it passed, "QV_SANS_MONTAGE" when nothing can be mounted here, else what the
// child wrote.
inline QString Rejouer_avec_montage(const QString& fonction, const char* variable)
{
    const QString unshare = QStandardPaths::findExecutable("unshare");
    if (unshare.isEmpty())
        return "QV_SANS_MONTAGE";
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(variable, "1");
    p.setProcessEnvironment(env);
    p.start(unshare, {"-rm", QCoreApplication::applicationFilePath(), fonction});
    if (!p.waitForFinished(120000))
        return "the child did not end: " + QString::fromLocal8Bit(p.readAll());
    const QString sortie = QString::fromLocal8Bit(p.readAll());
    if (sortie.contains("QV_SANS_MONTAGE") || sortie.contains("unshare: "))
        return "QV_SANS_MONTAGE";
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return sortie;
    return QString();
}

// At the top of such a test function: outside the namespace, the function is run again inside
// it, and its result is the test's.
#define REJOUER_AVEC_MONTAGE(variable)                                                             \
    do {                                                                                           \
        if (qEnvironmentVariableIsEmpty(variable)) {                                               \
            const QString echec = Rejouer_avec_montage(QTest::currentTestFunction(), variable);    \
            if (echec == "QV_SANS_MONTAGE")                                                        \
                QSKIP("no file system can be mounted here");                                       \
            QVERIFY2(echec.isEmpty(), qPrintable(echec));                                          \
            return;                                                                                \
        }                                                                                          \
    } while (false)

// Inside the namespace: a memory file system of that size mounted on the folder, unmounted when
// the object ends. When none can be mounted, the run says so to the parent, which skips.
class MontageMemoire {
public:
    MontageMemoire(const QString& dossier, const char* options) : m_point(QFile::encodeName(dossier))
    {
        QDir().mkpath(dossier);
        m_monte = ::mount("tmpfs", m_point.constData(), "tmpfs", 0, options) == 0;
        if (!m_monte)
            std::puts("QV_SANS_MONTAGE");
    }
    ~MontageMemoire()
    {
        if (m_monte)
            ::umount(m_point.constData());
    }
    MontageMemoire(const MontageMemoire&) = delete;
    MontageMemoire& operator=(const MontageMemoire&) = delete;
    bool monte() const { return m_monte; }
    // Mounted again read-only.
    bool lectureSeule() { return ::mount(nullptr, m_point.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0; }

private:
    QByteArray m_point;
    bool m_monte = false;
};
