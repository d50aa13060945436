// Loading a query result into an in-memory table through the core data
// module, against the floor set by SQLite itself: a bare sqlite3_step loop that reads every column
// into locals.
//
// The table: 20 columns (6 integer, 4 real, 8 text of 5-30 characters mixed
// with Chinese, 2 date-time texts), about 10% nulls, in a temporary file.
#include "data/TCoreDM.h"
#include "platform/abi/Exception.h"
#include "platform/memtable/MemTable.h"
#include "shell/TCvApplication.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

namespace {

constexpr int kIntegers = 6, kReals = 4, kTexts = 8, kDates = 2;
constexpr int kColumns = kIntegers + kReals + kTexts + kDates;

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct StmtCloser {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Db = std::unique_ptr<sqlite3, DbCloser>;
using Stmt = std::unique_ptr<sqlite3_stmt, StmtCloser>;

void check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw cv::Exception(QString::fromUtf8(sqlite3_errmsg(db)), rc);
}

Stmt prepare(sqlite3* db, const char* sql)
{
    sqlite3_stmt* s = nullptr;
    check(sqlite3_prepare_v2(db, sql, -1, &s, nullptr), db);
    return Stmt(s);
}

std::string columnList(bool withTypes)
{
    std::string out;
    auto add = [&](const char* prefix, int n, const char* type) {
        for (int i = 0; i < n; ++i) {
            out += (out.empty() ? "" : ", ") + std::string(prefix) + std::to_string(i);
            if (withTypes)
                out += std::string(" ") + type;
        }
    };
    add("i", kIntegers, "INTEGER");
    add("r", kReals, "REAL");
    add("t", kTexts, "TEXT");
    add("d", kDates, "DATETIME");
    return out;
}

class DataGenerator {
public:
    bool isNull() { return std::uniform_int_distribution(0, 9)(m_rng) == 0; }
    std::int64_t integer()
    {
        return std::uniform_int_distribution<std::int64_t>(0, 2'000'000)(m_rng);
    }
    double real() { return std::uniform_real_distribution(0.0, 10'000.0)(m_rng); }

    std::string text()
    {
        static const char* const kPieces[] = {"阿", "莫", "西", "林", "胶", "囊", "片", "注", "射",
                                              "液", "a",  "b",  "X",  "1",  "2",  " ",  "mg"};
        const int n = std::uniform_int_distribution(5, 30)(m_rng);
        std::string s;
        for (int i = 0; i < n; ++i)
            s += kPieces[std::uniform_int_distribution(0, 16)(m_rng)];
        return s;
    }

    std::string dateTime()
    {
        char buf[32];
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(m_rng); };
        std::snprintf(buf, sizeof buf, "20%02d-%02d-%02d %02d:%02d:%02d.%03d", pick(10, 29),
                      pick(1, 12), pick(1, 28), pick(0, 23), pick(0, 59), pick(0, 59),
                      pick(0, 999));
        return buf;
    }

private:
    std::mt19937_64 m_rng{20240305};
};

void fillDatabase(sqlite3* db, int rows)
{
    check(sqlite3_exec(db, ("CREATE TABLE t(" + columnList(true) + ")").c_str(), nullptr, nullptr,
                       nullptr),
          db);
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    std::string placeholders = "?";
    for (int i = 1; i < kColumns; ++i)
        placeholders += ",?";
    Stmt insert = prepare(db, ("INSERT INTO t VALUES(" + placeholders + ")").c_str());
    DataGenerator gen;
    for (int r = 0; r < rows; ++r) {
        sqlite3_stmt* s = insert.get();
        for (int c = 0; c < kColumns; ++c) {
            const int p = c + 1;
            if (gen.isNull())
                sqlite3_bind_null(s, p);
            else if (c < kIntegers)
                sqlite3_bind_int64(s, p, gen.integer());
            else if (c < kIntegers + kReals)
                sqlite3_bind_double(s, p, gen.real());
            else if (c < kIntegers + kReals + kTexts)
                sqlite3_bind_text(s, p, gen.text().c_str(), -1, SQLITE_TRANSIENT);
            else
                sqlite3_bind_text(s, p, gen.dateTime().c_str(), -1, SQLITE_TRANSIENT);
        }
        check(sqlite3_step(s), db);
        sqlite3_reset(s);
    }
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
}

// A database file with `rows` generated rows, removed again at the end.
class TempDatabase {
public:
    explicit TempDatabase(int rows)
        : m_path(std::filesystem::temp_directory_path() /
                 ("cv_loadbench_" + std::to_string(rows) + ".db"))
    {
        std::filesystem::remove(m_path);
        Db db = open();
        fillDatabase(db.get(), rows);
    }
    ~TempDatabase() { std::filesystem::remove(m_path); }
    const std::filesystem::path& path() const { return m_path; }
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;

    Db open() const
    {
        sqlite3* raw = nullptr;
        const int rc = sqlite3_open(m_path.c_str(), &raw);
        Db db(raw);
        check(rc, raw);
        return db;
    }

private:
    std::filesystem::path m_path;
};

const std::string kSelect = "SELECT " + columnList(false) + " FROM t";

// VmRSS / VmHWM of this process in bytes; writing 5 to clear_refs resets the peak.
std::size_t procStatusBytes(const char* key)
{
    std::ifstream in("/proc/self/status");
    std::string k;
    std::size_t kb = 0;
    while (in >> k) {
        if (k == key && in >> kb)
            return kb * 1024;
        in.ignore(4096, '\n');
    }
    return 0;
}

void resetPeakRss()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

void BM_LoadLimit(benchmark::State& state)
{
    const TempDatabase file{int(state.range(0))};
    Db db = file.open();
    for (auto _ : state) {
        Stmt s = prepare(db.get(), kSelect.c_str());
        std::int64_t isum = 0;
        double rsum = 0;
        std::size_t bytes = 0;
        while (sqlite3_step(s.get()) == SQLITE_ROW) {
            for (int c = 0; c < kColumns; ++c) {
                switch (sqlite3_column_type(s.get(), c)) {
                case SQLITE_INTEGER:
                    isum += sqlite3_column_int64(s.get(), c);
                    break;
                case SQLITE_FLOAT:
                    rsum += sqlite3_column_double(s.get(), c);
                    break;
                case SQLITE_TEXT: {
                    const unsigned char* text = sqlite3_column_text(s.get(), c);
                    benchmark::DoNotOptimize(text);
                    bytes += std::size_t(sqlite3_column_bytes(s.get(), c));
                    break;
                }
                default:
                    break;
                }
            }
        }
        benchmark::DoNotOptimize(isum);
        benchmark::DoNotOptimize(rsum);
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The module's own path: the statement through the core data module's
// OpenSQLToTable (execution path, record set, in-memory table).
void BM_OpenSQLToTable(benchmark::State& state)
{
    const auto rows = state.range(0);
    const TempDatabase file{int(rows)};
    cv::shell::TCvApplication::createInstance(); // no host: nothing is logged
    cv::data::CoreDMStage(cv::shell::StageStart);
    cv::data::TCoreDM& dm = *cv::data::CoreDM();
    dm.ADOConnection1().setConnectionString(QStringLiteral("Provider=SQLite;Data Source=") +
                                            QString::fromStdString(file.path().string()));
    const QString select = QString::fromStdString(kSelect);
    cv::MemTable table;
    std::size_t tableBytes = 0;
    std::size_t peakGrowth = 0;
    for (auto _ : state) {
        state.PauseTiming();
        table.close(); // frees the previous load outside the measurement
        resetPeakRss();
        const std::size_t rssBefore = procStatusBytes("VmRSS:");
        state.ResumeTiming();

        dm.OpenSQLToTable(table, select, false);

        state.PauseTiming();
        if (table.recordCount() != rows)
            state.SkipWithError("row count mismatch");
        tableBytes = table.memoryUsage();
        peakGrowth = std::max(peakGrowth, procStatusBytes("VmHWM:") - rssBefore);
        state.ResumeTiming();
    }
    table.close();
    cv::data::CoreDMStage(cv::shell::StageStop);
    cv::shell::TCvApplication::destroyInstance();
    state.SetItemsProcessed(state.iterations() * rows);
    state.counters["bytes_per_row"] = double(tableBytes) / double(rows);
    state.counters["peak_rss_growth_per_row"] = double(peakGrowth) / double(rows);
}

} // namespace

BENCHMARK(BM_LoadLimit)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OpenSQLToTable)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
