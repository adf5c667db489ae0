#include "tests/client/ProxyDaemon.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <csignal>
#include <fstream>
#include <pwd.h>
#include <unistd.h>

namespace {

const char *const kPrograms[] = {"danted", "microsocks", "tinyproxy"};

uint16_t FreePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

bool Accepts(uint16_t port)
{
    QTcpSocket s;
    s.connectToHost("127.0.0.1", port);
    bool ok = s.waitForConnected(100);
    s.abort();
    return ok;
}

std::string UserName()
{
    const passwd *pw = getpwuid(getuid());
    return pw ? pw->pw_name : "nobody";
}

} // namespace

ProxyDaemon::ProxyDaemon(Kind kind, std::filesystem::path folder, std::string user, std::string password)
    : kind_(kind), folder_(std::move(folder)), user_(std::move(user)), password_(std::move(password))
{
}

ProxyDaemon::~ProxyDaemon()
{
    if (!process_ || process_->state() == QProcess::NotRunning)
        return;
    ::kill(static_cast<pid_t>(process_->processId()), SIGTERM);
    if (!process_->waitForFinished(3000)) {
        ::kill(static_cast<pid_t>(process_->processId()), SIGKILL);
        process_->waitForFinished(1000);
    }
}

std::string ProxyDaemon::WriteConfig() const
{
    std::string path = (folder_ / (kind_ == DANTE ? "danted.conf" : "tinyproxy.conf")).string();
    std::ofstream out(path);
    std::string port = std::to_string(port_);
    if (kind_ == DANTE) {
        // As root the server drops to "nobody" for its work; otherwise it stays who it is.
        std::string privileged = getuid() == 0 ? "root" : UserName();
        std::string unprivileged = getuid() == 0 ? "nobody" : UserName();
        out << "logoutput: " << (folder_ / "danted.log").string() << "\n"
            << "internal: 127.0.0.1 port = " << port << "\n"
            << "external: 127.0.0.1\n"
            << "clientmethod: none\n"
            << "socksmethod: none\n"
            << "user.privileged: " << privileged << "\n"
            << "user.unprivileged: " << unprivileged << "\n"
            << "client pass { from: 127.0.0.0/8 to: 0.0.0.0/0 }\n"
            << "socks pass { from: 127.0.0.0/8 to: 127.0.0.0/8 command: connect }\n";
    } else {
        out << "Port " << port << "\nListen 127.0.0.1\nTimeout 60\nMaxClients 10\nAllow 127.0.0.1\n"
            << "PidFile \"" << (folder_ / "tinyproxy.pid").string() << "\"\n"
            << "LogFile \"" << (folder_ / "tinyproxy.log").string() << "\"\n";
        if (!user_.empty())
            out << "BasicAuth " << user_ << " " << password_ << "\n";
    }
    return path;
}

std::string ProxyDaemon::Executable(Kind kind)
{
    QString found = QStandardPaths::findExecutable(kPrograms[kind]);
    if (found.isEmpty()) // danted lives in the administrator's folder
        found = QStandardPaths::findExecutable(kPrograms[kind], {"/usr/sbin", "/usr/bin"});
    return found.toStdString();
}

bool ProxyDaemon::Start(std::string *why)
{
    const char *program = kPrograms[kind_];
    std::string executable = Executable(kind_);
    if (executable.empty()) {
        *why = std::string(program) + " is not installed";
        return false;
    }
    port_ = FreePort();
    QStringList args;
    switch (kind_) {
    case DANTE:
        args << "-f" << QString::fromStdString(WriteConfig()) << "-p"
             << QString::fromStdString((folder_ / "danted.pid").string()) << "-N" << "1";
        break;
    case MICROSOCKS:
        args << "-i" << "127.0.0.1" << "-p" << QString::number(port_);
        if (!user_.empty())
            args << "-u" << QString::fromStdString(user_) << "-P" << QString::fromStdString(password_);
        break;
    case TINYPROXY:
        args << "-d" << "-c" << QString::fromStdString(WriteConfig());
        break;
    }
    process_ = std::make_unique<QProcess>();
    process_->setProcessChannelMode(QProcess::MergedChannels);
    process_->setStandardOutputFile(QString::fromStdString((folder_ / "proxy.out").string()));
    process_->start(QString::fromStdString(executable), args);
    if (!process_->waitForStarted(3000)) {
        *why = std::string(program) + " did not start";
        return false;
    }
    QElapsedTimer waited;
    waited.start();
    while (!Accepts(port_)) {
        if (process_->state() == QProcess::NotRunning || waited.elapsed() > 5000) {
            *why = std::string(program) + " never listened on port " + std::to_string(port_);
            return false;
        }
        usleep(20000);
    }
    return true;
}
