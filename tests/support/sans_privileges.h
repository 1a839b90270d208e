#pragma once
// The superuser writes anywhere: a case about write rights is run again as a plain user.

#include <QCoreApplication>
#include <QProcess>
#include <QString>

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
