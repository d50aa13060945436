#include "PgCluster.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

namespace fs = std::filesystem;

namespace {

std::optional<fs::path> serverBinaries()
{
    const fs::path root = "/usr/lib/postgresql";
    std::optional<fs::path> best;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(root, ec)) {
        const fs::path bin = entry.path() / "bin";
        if (fs::exists(bin / "initdb") && fs::exists(bin / "pg_ctl") && (!best || bin > *best))
            best = bin;
    }
    return best;
}

int freeLoopbackPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
        port = ntohs(addr.sin_port);
    ::close(fd);
    return port;
}

// The unprivileged account that owns the cluster when we run as root.
std::string clusterOwner()
{
    for (const char* name : {"postgres", "nobody"})
        if (const passwd* pw = ::getpwnam(name))
            return pw->pw_name;
    return {};
}

} // namespace

PgCluster& PgCluster::shared()
{
    static PgCluster cluster;
    return cluster;
}

PgCluster::PgCluster()
{
    const auto bin = serverBinaries();
    if (!bin)
        m_missing = "PostgreSQL server binaries not found under /usr/lib/postgresql";
    else if (!fs::exists(kPsqlOdbcDriver))
        m_missing = std::string("PostgreSQL ODBC driver not found: ") + kPsqlOdbcDriver;
    else if (::geteuid() == 0 && clusterOwner().empty())
        m_missing = "running as root without an unprivileged account for the server";
    if (!m_missing.empty())
        return;
    m_bin = *bin;
    start();
}

PgCluster::~PgCluster()
{
    if (m_running)
        run("'" + (m_bin / "pg_ctl").string() + "' -D '" + (m_dir / "data").string() +
            "' -m immediate -w stop >/dev/null 2>&1");
    std::error_code ec;
    if (!m_dir.empty() && m_error.empty()) // a failed start keeps its log
        fs::remove_all(m_dir, ec);
}

bool PgCluster::run(const std::string& command) const
{
    const std::string full =
        m_runAs.empty() ? command : "runuser -u " + m_runAs + " -- /bin/sh -c \"" + command + "\"";
    return std::system(full.c_str()) == 0;
}

void PgCluster::start()
{
    char pattern[] = "/tmp/cv_pg_XXXXXX";
    if (!::mkdtemp(pattern)) {
        m_error = "cannot create a temporary directory";
        return;
    }
    m_dir = pattern;
    if (::geteuid() == 0) {
        m_runAs = clusterOwner();
        const passwd* pw = ::getpwnam(m_runAs.c_str());
        if (::chown(m_dir.c_str(), pw->pw_uid, pw->pw_gid) != 0) {
            m_error = "cannot hand the temporary directory to " + m_runAs;
            return;
        }
    }
    m_port = freeLoopbackPort();
    const std::string data = (m_dir / "data").string();
    const std::string log = (m_dir / "server.log").string();
    if (!run("'" + (m_bin / "initdb").string() + "' -D '" + data +
             "' -A trust -U cv -E UTF8 --no-locale -N >'" + log + "' 2>&1")) {
        m_error = "initdb failed, see " + log;
        return;
    }
    const std::string options = "-p " + std::to_string(m_port) + " -k " + m_dir.string() +
                                " -c listen_addresses=127.0.0.1 -c fsync=off";
    m_running = run("'" + (m_bin / "pg_ctl").string() + "' -D '" + data + "' -o '" + options +
                    "' -w -l '" + log + "' start >/dev/null 2>&1");
    if (!m_running)
        m_error = "pg_ctl start failed, see " + log;
}

QString PgCluster::odbcConnectionString() const
{
    return QStringLiteral("DRIVER={%1};Server=127.0.0.1;Port=%2;Database=postgres;Uid=cv;")
        .arg(QString::fromLatin1(kPsqlOdbcDriver))
        .arg(m_port);
}
