#include "archive/archive.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

#include "archive/archive_files.h"
#include "archive/schema.h"
#include "core/cp1252.h"
#include "core/money.h"
#include "core/text.h"

namespace kw {

namespace {

namespace fs = std::filesystem;

// The archive keeps SQLite's rollback journal, never WAL: after each store everything is in the
// one file, so a person who copies Ziehungen.sqlite has all of it, and the file works on network
// and removable drives, where WAL's shared memory does not. A reader and a writer then take turns
// for the moments their statements run; the busy wait covers that. Synchronous stays FULL.

// How long a store or a read waits for another program that holds the file, before it says so.
constexpr int kBusyTimeoutMs = 2000;

// The dates SQL compares as text: four-digit years only.
const Date kFirstDate = Date::FromYmd(1, 1, 1);
const Date kLastDate = Date::FromYmd(9999, 12, 31);

std::string Quoted(const fs::path& file) { return "'" + PathText(file) + "'"; }

ArchiveError Refusal(const fs::path& file, std::string_view reason) {
  return ArchiveError(Quoted(file) + " " + std::string(reason));
}

// "\xE4" and "d" are apart, or the d would count as a hex digit of the escape.
const std::string kDamaged = std::string("ist besch\xE4") + "digt";
const std::string kCannotOpen = std::string("kann nicht ge\xF6") + "ffnet werden";

ArchiveError Damaged(const fs::path& file, std::string_view what) {
  return Refusal(file, kDamaged + ": " + std::string(what));
}

// What a failure SQLite reports means for the file, in the person's words, with SQLite's own
// text for whoever looks deeper. `consequence` says what became of the work ("; es wurde nichts
// gespeichert").
ArchiveError Translate(const fs::path& file, const SQLite::Exception& e,
                       std::string_view consequence = {}) {
  const char* meaning = nullptr;
  switch (e.getErrorCode() & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      meaning =
          "wird gerade von einem anderen Programm benutzt und war auch nach zwei Sekunden "
          "nicht frei; bitte sp\xE4ter noch einmal versuchen";
      break;
    case SQLITE_NOTADB:
      meaning = "ist keine SQLite-Datenbank und kein Ziehungsarchiv";
      break;
    case SQLITE_CORRUPT:
      meaning = kDamaged.c_str();
      break;
    case SQLITE_FULL:
      meaning = "kann nicht geschrieben werden: der Datentr\xE4ger ist voll";
      break;
    case SQLITE_IOERR:
      meaning = "kann nicht gelesen oder geschrieben werden: ein Ein-/Ausgabefehler des Systems";
      break;
    case SQLITE_READONLY:
    case SQLITE_PERM:
      meaning = "darf nicht ge\xE4ndert werden";
      break;
    case SQLITE_CANTOPEN:
      meaning = kCannotOpen.c_str();
      break;
    default:
      meaning = "meldet einen Fehler der Datenbank";
      break;
  }
  return ArchiveError(Quoted(file) + " " + meaning + " (SQLite: " + Utf8ToCp1252Lossy(e.what()) +
                      ")" + std::string(consequence));
}

constexpr std::string_view kNothingStored = "; es wurde nichts gespeichert";

// ---- The file before SQLite sees it --------------------------------------------------------

// What the first 100 bytes of an SQLite file say about it.
struct Header {
  bool sqlite = false;
  uint64_t expectedSize = 0;  // page size times page count, 0 when the header does not say
};

uint32_t BigEndian(const unsigned char* p, int bytes) {
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value = (value << 8) | p[i];
  return value;
}

// Reads the header without SQLite, which takes any file for a database until a query fails and
// cannot tell a file cut short by a failed copy from a sound one without reading all of it.
Header ReadHeader(const fs::path& file) {
  unsigned char bytes[100];
  const long read = archive_files::ReadStart(file, bytes, sizeof bytes);
  if (read < 0) throw Refusal(file, "kann nicht gelesen werden");
  const auto used = static_cast<std::size_t>(read);

  Header header;
  static constexpr char kMagic[] = "SQLite format 3";  // with its terminating zero: 16 bytes
  if (used < sizeof bytes || std::memcmp(bytes, kMagic, sizeof kMagic) != 0) return header;
  header.sqlite = true;
  uint32_t pageSize = BigEndian(bytes + 16, 2);
  if (pageSize == 1) pageSize = 65536;
  const uint32_t pages = BigEndian(bytes + 28, 4);
  // SQLite trusts the page count only while the change counter matches the version it was
  // written for; older writers did not keep it.
  const bool countValid = pages != 0 && BigEndian(bytes + 24, 4) == BigEndian(bytes + 92, 4);
  if (countValid) header.expectedSize = static_cast<uint64_t>(pageSize) * pages;
  return header;
}

using archive_files::Exists;

std::string CreationProblem(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return "kann nicht angelegt werden: den Ordner gibt es nicht";
    case EACCES:
    case EPERM:
      return "kann nicht angelegt werden: in dem Ordner darf dieser Benutzer nicht schreiben";
    case EROFS:
      return "kann nicht angelegt werden: der Datentr\xE4ger ist schreibgesch\xFCtzt";
    case ENOSPC:
      return "kann nicht angelegt werden: der Datentr\xE4ger ist voll";
    default:
      return "kann nicht angelegt werden (" + Utf8ToCp1252Lossy(std::strerror(error)) + ")";
  }
}

// ---- Schema ---------------------------------------------------------------------------------

int UserVersion(SQLite::Database& db) { return db.execAndGet("PRAGMA user_version").getInt(); }

// Applies the steps the file lacks, each in one transaction. The version is read again inside
// the transaction: a second program opening the same file at the same moment waits for the
// first and then finds the step done.
void Upgrade(SQLite::Database& db) {
  while (true) {
    SQLite::Transaction transaction(db, SQLite::TransactionBehavior::IMMEDIATE);
    const int version = UserVersion(db);
    if (version >= archive_schema::kVersion) return;
    db.exec(archive_schema::kSteps[version]);
    db.exec("PRAGMA application_id = " + std::to_string(archive_schema::kApplicationId));
    db.exec("PRAGMA user_version = " + std::to_string(version + 1));
    transaction.commit();
  }
}

// Builds a new archive beside the place it is meant for and links it there only when it is
// complete. A crash while it is made leaves a stray "Ziehungen.sqlite.neu-..." file, never an
// empty or half-made file under the archive's name; so an empty file found there was not made by
// us, and is refused like any other file that is not an archive.
void CreateArchive(const fs::path& file) {
  fs::path temp;
  int error = EEXIST;
  for (int attempt = 0; error == EEXIST && attempt < 100; ++attempt) {
    temp = file;
    temp += ".neu-" + std::to_string(archive_files::ProcessId()) + "-" + std::to_string(attempt);
    error = archive_files::CreateNew(temp);
  }
  if (error != 0) throw Refusal(file, CreationProblem(error));

  struct RemoveTemp {
    const fs::path& name;
    ~RemoveTemp() {
      archive_files::Remove(name);
      fs::path journal = name;
      archive_files::Remove(journal += "-journal");
    }
  } removeTemp{temp};

  try {
    SQLite::Database db(temp, SQLite::OPEN_READWRITE, kBusyTimeoutMs);
    Upgrade(db);
  } catch (const SQLite::Exception& e) {
    throw Translate(file, e, "; das Archiv wurde nicht angelegt");
  }

  // A file another program put there meanwhile is kept and opened.
  error = archive_files::NameWithoutReplacing(temp, file);
  if (error != 0 && error != EEXIST) throw Refusal(file, CreationProblem(error));
}

// ---- Values and rows ------------------------------------------------------------------------

const char* GameKey(PrizeGame game) {
  switch (game) {
    case PrizeGame::Lotto:
      return "6aus49";
    case PrizeGame::Spiel77:
      return "Spiel77";
    case PrizeGame::Super6:
      return "Super6";
  }
  return "";
}

std::optional<PrizeGame> GameOfKey(std::string_view key) {
  for (PrizeGame game : {PrizeGame::Lotto, PrizeGame::Spiel77, PrizeGame::Super6}) {
    if (key == GameKey(game)) return game;
  }
  return std::nullopt;
}

// A stored figure as a byte; anything outside becomes 255, which no check lets pass, so that a
// value put into the file past the constraints is reported rather than cut to a valid one.
uint8_t StoredByte(const SQLite::Column& column) {
  const int64_t value = column.getInt64();
  return value >= 0 && value <= 254 ? static_cast<uint8_t>(value) : 255;
}

std::string DescribeQuota(const Quota& q, Date day) {
  return CountText(q.winners, "Gewinner", "Gewinnern") + " zu je " +
         MoneyText(q.centsPerWinner, day);
}

bool Ascending(const std::array<uint8_t, 6>& numbers) {
  return std::is_sorted(numbers.begin(), numbers.end());
}

// What a drawing brought to one already stored with its date.
struct Completion {
  Drawing merged;
  bool drawingChanged = false;
  std::vector<Quota> newQuotas;
};

// Joins a drawing into the one stored with its date: what the stored one lacks is taken, what
// both hold must agree. The six numbers agree when they are the same six: community files list
// them sorted, the results service in drawn order, and a ticket wins by the set alone. The stored
// order stays, except that an ascending one gives way to an order that is not: a real drawing
// comes out ascending once in 720 times, a sorted list every time, so the newcomer is the
// drawn order.
Completion Complete(const Drawing& stored, const Drawing& incoming) {
  const std::string day = FormatShortDate(stored.date);
  auto disagreement = [&] {
    return ArchiveError("Die Ziehung vom " + day + " ist im Archiv als " + DrawingText(stored) +
                        " gespeichert, die neue lautet " + DrawingText(incoming) +
                        std::string(kNothingStored));
  };

  Completion c{stored, false, {}};
  std::array<uint8_t, 6> a = stored.numbers;
  std::array<uint8_t, 6> b = incoming.numbers;
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  if (a != b) throw disagreement();
  if (Ascending(stored.numbers) && !Ascending(incoming.numbers)) {
    c.merged.numbers = incoming.numbers;
    c.drawingChanged = true;
  }

  auto join = [&](auto& mine, const auto& theirs) {
    if (!theirs) return;
    if (!mine) {
      mine = theirs;
      c.drawingChanged = true;
    } else if (*mine != *theirs) {
      throw disagreement();
    }
  };
  join(c.merged.zusatzzahl, incoming.zusatzzahl);
  join(c.merged.superzahl, incoming.superzahl);
  join(c.merged.spiel77, incoming.spiel77);
  join(c.merged.super6, incoming.super6);

  for (const Quota& q : incoming.quotas) {
    const Quota* known = stored.QuotaOf(q.game, q.prizeClass);
    // Two rows without a winner agree whatever amount stands beside: with no winner there is
    // nothing paid, and sources write 0 there or the jackpot carried over. The stored row stays.
    const bool bothWithoutWinner = known && known->winners == 0 && q.winners == 0;
    if (!known) {
      c.newQuotas.push_back(q);
    } else if (*known != q && !bothWithoutWinner) {
      throw ArchiveError(std::string("Die Quote von ") + PrizeGameName(q.game) + ", Gewinnklasse " +
                         std::to_string(q.prizeClass) + ", der Ziehung vom " + day +
                         " ist im Archiv mit " + DescribeQuota(*known, stored.date) +
                         " gespeichert, die neue mit " + DescribeQuota(q, stored.date) +
                         std::string(kNothingStored));
    }
  }
  return c;
}

// Resets a prepared statement when its use ends, however it ends, so that it holds no lock.
class Use {
 public:
  explicit Use(SQLite::Statement& statement) : statement_(statement) {}
  ~Use() { statement_.tryReset(); }
  Use(const Use&) = delete;
  Use& operator=(const Use&) = delete;
  SQLite::Statement* operator->() { return &statement_; }

 private:
  SQLite::Statement& statement_;
};

constexpr const char* kDrawingColumns =
    "date, n1, n2, n3, n4, n5, n6, zusatzzahl, superzahl, spiel77, super6";

}  // namespace

// ---- The open archive -----------------------------------------------------------------------

struct DrawingArchive::Impl {
  Impl(fs::path file, int flags) : path(std::move(file)), db(path, flags, kBusyTimeoutMs) {}

  fs::path path;
  SQLite::Database db;
  std::string readOnlyReason;  // empty while the archive may be written

  // Prepared once, on first use; declared after db, so destroyed before it.
  std::unique_ptr<SQLite::Statement> selectOne, selectQuotasOfOne, selectRange, selectQuotasOfRange,
      selectDates, insertDrawing, updateDrawing, insertQuota;

  SQLite::Statement& Prepared(std::unique_ptr<SQLite::Statement>& slot, const std::string& sql) {
    if (!slot) slot = std::make_unique<SQLite::Statement>(db, sql);
    return *slot;
  }

  // The drawing of a row that selected kDrawingColumns, with the quotas to go with it.
  Drawing ToDrawing(SQLite::Statement& row) const {
    Drawing d;
    const std::optional<Date> date = ParseIsoDate(row.getColumn(0).getString());
    if (!date) {
      throw Damaged(path, "es enth\xE4lt eine Ziehung mit dem Datum '" +
                              Utf8ToCp1252Lossy(row.getColumn(0).getString()) +
                              "', das keines ist");
    }
    d.date = *date;
    for (int i = 0; i < kNumbersPerGame; ++i) d.numbers[i] = StoredByte(row.getColumn(1 + i));
    if (!row.isColumnNull(7)) d.zusatzzahl = StoredByte(row.getColumn(7));
    if (!row.isColumnNull(8)) d.superzahl = StoredByte(row.getColumn(8));
    if (!row.isColumnNull(9)) d.spiel77 = Utf8ToCp1252Lossy(row.getColumn(9).getString());
    if (!row.isColumnNull(10)) d.super6 = Utf8ToCp1252Lossy(row.getColumn(10).getString());
    return d;
  }

  Quota ToQuota(SQLite::Statement& row, int first) const {
    const std::string key = row.getColumn(first).getString();
    const std::optional<PrizeGame> game = GameOfKey(key);
    if (!game) {
      throw Damaged(
          path, "es enth\xE4lt eine Quote des unbekannten Spiels '" + Utf8ToCp1252Lossy(key) + "'");
    }
    const auto clamp = [](int64_t v) { return v < 0 || v > 1000 ? -1 : static_cast<int>(v); };
    return {*game, clamp(row.getColumn(first + 1).getInt64()), row.getColumn(first + 2).getInt64(),
            row.getColumn(first + 3).getInt64()};
  }

  // A drawing read back from the file passes the same check as one stored: a file changed past
  // its constraints (by hand, or by an older SQLite ignoring them) is reported, not believed.
  void CheckRead(const Drawing& d) const {
    if (std::optional<std::string> problem = DrawingProblem(d)) {
      throw Damaged(path, *problem);
    }
  }

  std::optional<Drawing> ReadOne(Date day) {
    const std::string iso = FormatIsoDate(day);
    Drawing d;
    {
      Use one(Prepared(selectOne,
                       std::string("SELECT ") + kDrawingColumns + " FROM drawings WHERE date = ?"));
      one->bind(1, iso);
      if (!one->executeStep()) return std::nullopt;
      d = ToDrawing(*selectOne);
    }
    Use quotas(Prepared(selectQuotasOfOne,
                        "SELECT game, class, winners, cents_per_winner FROM quotas WHERE date = ? "
                        "ORDER BY game, class"));
    quotas->bind(1, iso);
    while (quotas->executeStep()) d.quotas.push_back(ToQuota(*selectQuotasOfOne, 0));
    CheckRead(d);
    return d;
  }

  std::vector<Drawing> ReadBetween(Date first, Date last) {
    std::vector<Drawing> drawings;
    first = std::max(first, kFirstDate);
    last = std::min(last, kLastDate);
    if (first > last) return drawings;
    const std::string from = FormatIsoDate(first);
    const std::string to = FormatIsoDate(last);
    {
      Use range(
          Prepared(selectRange, std::string("SELECT ") + kDrawingColumns +
                                    " FROM drawings WHERE date BETWEEN ? AND ? ORDER BY date"));
      range->bind(1, from);
      range->bind(2, to);
      while (range->executeStep()) drawings.push_back(ToDrawing(*selectRange));
    }
    // Both lists are in date order: each quota finds its drawing walking forward.
    Use quotas(Prepared(selectQuotasOfRange,
                        "SELECT date, game, class, winners, cents_per_winner FROM quotas "
                        "WHERE date BETWEEN ? AND ? ORDER BY date, game, class"));
    quotas->bind(1, from);
    quotas->bind(2, to);
    std::size_t at = 0;
    while (quotas->executeStep()) {
      const std::optional<Date> date = ParseIsoDate(selectQuotasOfRange->getColumn(0).getString());
      while (at < drawings.size() && date && drawings[at].date < *date) ++at;
      if (!date || at == drawings.size() || drawings[at].date != *date) {
        throw Damaged(path, "es enth\xE4lt Quoten ohne ihre Ziehung");
      }
      drawings[at].quotas.push_back(ToQuota(*selectQuotasOfRange, 1));
    }
    for (const Drawing& d : drawings) CheckRead(d);
    return drawings;
  }

  void Insert(const Drawing& d, const std::string& sourceUtf8) {
    Use insert(Prepared(insertDrawing,
                        "INSERT INTO drawings (date, weekday, n1, n2, n3, n4, n5, n6, zusatzzahl, "
                        "superzahl, spiel77, super6, source, stored_at) VALUES (?, ?, ?, ?, ?, ?, "
                        "?, ?, ?, ?, ?, ?, ?, strftime('%Y-%m-%dT%H:%M:%SZ', 'now'))"));
    insert->bind(1, FormatIsoDate(d.date));
    insert->bind(2, GermanWeekdayName(d.date));
    BindContent(*insertDrawing, d, 3);
    insert->bind(13, sourceUtf8);
    insert->exec();
  }

  void Update(const Drawing& d) {
    Use update(Prepared(updateDrawing,
                        "UPDATE drawings SET n1 = ?, n2 = ?, n3 = ?, n4 = ?, n5 = ?, n6 = ?, "
                        "zusatzzahl = ?, superzahl = ?, spiel77 = ?, super6 = ? WHERE date = ?"));
    BindContent(*updateDrawing, d, 1);
    update->bind(11, FormatIsoDate(d.date));
    update->exec();
  }

  // The six numbers, Zusatzzahl, Superzahl, Spiel 77 and Super 6, from parameter `first` on.
  static void BindContent(SQLite::Statement& s, const Drawing& d, int first) {
    for (int i = 0; i < kNumbersPerGame; ++i) s.bind(first + i, static_cast<int32_t>(d.numbers[i]));
    auto bindNumber = [&](int index, const std::optional<uint8_t>& value) {
      value ? s.bind(index, static_cast<int32_t>(*value)) : s.bind(index);
    };
    auto bindText = [&](int index, const std::optional<std::string>& value) {
      value ? s.bind(index, *value) : s.bind(index);
    };
    bindNumber(first + 6, d.zusatzzahl);
    bindNumber(first + 7, d.superzahl);
    bindText(first + 8, d.spiel77);
    bindText(first + 9, d.super6);
  }

  void InsertQuotas(Date day, const std::vector<Quota>& quotas) {
    const std::string iso = FormatIsoDate(day);
    for (const Quota& q : quotas) {
      Use insert(Prepared(insertQuota,
                          "INSERT INTO quotas (date, game, class, winners, cents_per_winner) "
                          "VALUES (?, ?, ?, ?, ?)"));
      insert->bind(1, iso);
      insert->bind(2, GameKey(q.game));
      insert->bind(3, q.prizeClass);
      insert->bind(4, q.winners);
      insert->bind(5, q.centsPerWinner);
      insert->exec();
    }
  }

  static std::unique_ptr<Impl> OpenExisting(const fs::path& file, const archive_files::Look& info);
};

// Opens a file that exists, after looking at it: nothing is written to a file that is not an
// archive of ours, of a schema this program knows.
std::unique_ptr<DrawingArchive::Impl> DrawingArchive::Impl::OpenExisting(
    const fs::path& file, const archive_files::Look& info) {
  if (info.folder) throw Refusal(file, "ist ein Ordner und keine Datei");
  if (!info.regular) throw Refusal(file, "ist keine gew\xF6hnliche Datei");
  if (info.size == 0) {
    throw Refusal(file,
                  "ist leer und kein Ziehungsarchiv; ein Archiv wird nur angelegt, wo noch keine "
                  "Datei steht");
  }
  const Header header = ReadHeader(file);
  if (!header.sqlite) throw Refusal(file, "ist keine SQLite-Datenbank und kein Ziehungsarchiv");
  // A journal beside the file may hold the pages of a write that a crash broke off; SQLite puts
  // them back, and the size may differ until then.
  fs::path journalFile = file, walFile = file;
  const bool journal = Exists(journalFile += "-journal") || Exists(walFile += "-wal");
  if (!journal && header.expectedSize > info.size) {
    throw Damaged(file, "die Datei ist k\xFCrzer als ihr Inhalt (" +
                            GroupedNumber(static_cast<int64_t>(info.size)) + " statt " +
                            GroupedNumber(static_cast<int64_t>(header.expectedSize)) +
                            " Bytes), vielleicht wurde sie nicht ganz kopiert");
  }

  std::string readOnly = archive_files::WhyReadOnly(file);
  try {
    auto impl = std::make_unique<DrawingArchive::Impl>(
        file, readOnly.empty() ? SQLite::OPEN_READWRITE : SQLite::OPEN_READONLY);
    // SQLite quietly opens for reading what the system will not let it write.
    if (readOnly.empty() && sqlite3_db_readonly(impl->db.getHandle(), "main") == 1) {
      readOnly = "darf nicht ge\xE4ndert werden";
    }
    impl->readOnlyReason = readOnly;
    impl->db.exec("PRAGMA foreign_keys = ON");

    SQLite::Database& db = impl->db;
    const int applicationId = db.execAndGet("PRAGMA application_id").getInt();
    const int version = UserVersion(db);
    if (applicationId != archive_schema::kApplicationId) {
      std::string tables;
      SQLite::Statement names(db,
                              "SELECT name FROM sqlite_master WHERE name NOT LIKE 'sqlite_%' "
                              "ORDER BY name LIMIT 6");
      int count = 0;
      while (names.executeStep()) {
        if (++count > 5) {
          tables += ", ...";
          break;
        }
        tables += (tables.empty() ? "" : ", ") + Utf8ToCp1252Lossy(names.getColumn(0).getString());
      }
      // A database with nothing in it at all holds nothing to lose: it becomes the archive.
      if (applicationId != 0 || version != 0 || count > 0) {
        throw Refusal(file, "ist die Datenbank eines anderen Programms und kein Ziehungsarchiv" +
                                (tables.empty() ? std::string() : " (Tabellen: " + tables + ")"));
      }
    }
    if (version > archive_schema::kVersion) {
      throw Refusal(file, "stammt von einer neueren Programmversion (Schema " +
                              std::to_string(version) + ", dieses Programm kennt bis " +
                              std::to_string(archive_schema::kVersion) +
                              ") und wird nicht ge\xE4ndert");
    }
    if (version < archive_schema::kVersion) {
      if (!readOnly.empty()) {
        throw Refusal(file, readOnly +
                                " und kann daher nicht auf den Stand dieses Programms "
                                "gebracht werden");
      }
      Upgrade(db);
    }
    return impl;
  } catch (const SQLite::Exception& e) {
    throw Translate(file, e);
  }
}

DrawingArchive::DrawingArchive(const fs::path& file) {
  // At most three looks: a file that vanishes between a look and the open, or a second program
  // that links its new archive first, only sends us round once more.
  for (int attempt = 0; attempt < 3; ++attempt) {
    const archive_files::Look info = archive_files::LookAt(file);
    if (info.error == 0) {
      impl_ = Impl::OpenExisting(file, info);
      return;
    }
    if (info.error != ENOENT) {
      throw Refusal(file, info.error == ENOTDIR ? CreationProblem(ENOTDIR)
                                                : std::string("kann nicht gelesen werden"));
    }
    CreateArchive(file);
  }
  throw Refusal(file, kCannotOpen + ": die Datei verschwand immer wieder");
}

DrawingArchive::~DrawingArchive() = default;
DrawingArchive::DrawingArchive(DrawingArchive&&) noexcept = default;
DrawingArchive& DrawingArchive::operator=(DrawingArchive&&) noexcept = default;

const fs::path& DrawingArchive::path() const { return impl_->path; }

StoreOutcome DrawingArchive::Store(const std::vector<Drawing>& drawings, std::string_view source) {
  Impl& m = *impl_;
  if (!m.readOnlyReason.empty()) {
    throw Refusal(m.path, m.readOnlyReason + "; es wurde nichts gespeichert");
  }
  for (const Drawing& d : drawings) {
    if (std::optional<std::string> problem = DrawingProblem(d)) {
      throw ArchiveError(*problem + std::string(kNothingStored));
    }
  }
  // The file's texts are UTF-8, so that the sqlite3 tool shows them as they are.
  const std::string sourceUtf8 = Cp1252ToUtf8(source);
  StoreOutcome outcome;
  try {
    // Immediate: the write lock is taken before the first read, so that what is compared is
    // still what is stored when the batch is written.
    SQLite::Transaction transaction(m.db, SQLite::TransactionBehavior::IMMEDIATE);
    for (const Drawing& d : drawings) {
      const std::optional<Drawing> stored = m.ReadOne(d.date);
      if (!stored) {
        m.Insert(d, sourceUtf8);
        m.InsertQuotas(d.date, d.quotas);
        ++outcome.added;
        continue;
      }
      const Completion c = Complete(*stored, d);
      if (c.drawingChanged) m.Update(c.merged);
      m.InsertQuotas(d.date, c.newQuotas);
      if (c.drawingChanged || !c.newQuotas.empty()) {
        ++outcome.completed;
      } else {
        ++outcome.unchanged;
      }
    }
    transaction.commit();
  } catch (const SQLite::Exception& e) {
    throw Translate(m.path, e, kNothingStored);
  }
  return outcome;
}

std::optional<Drawing> DrawingArchive::Read(Date day) const {
  try {
    return impl_->ReadOne(day);
  } catch (const SQLite::Exception& e) {
    throw Translate(impl_->path, e);
  }
}

std::vector<Drawing> DrawingArchive::ReadRange(Date first, Date last) const {
  try {
    // One read transaction: both queries see the same state of the file.
    impl_->db.exec("BEGIN");
    struct End {
      SQLite::Database& db;
      ~End() { sqlite3_exec(db.getHandle(), "COMMIT", nullptr, nullptr, nullptr); }
    } end{impl_->db};
    return impl_->ReadBetween(first, last);
  } catch (const SQLite::Exception& e) {
    throw Translate(impl_->path, e);
  }
}

std::optional<Drawing> DrawingArchive::Latest() const {
  try {
    SQLite::Statement last(impl_->db, "SELECT max(date) FROM drawings");
    if (!last.executeStep() || last.isColumnNull(0)) return std::nullopt;
    const std::optional<Date> day = ParseIsoDate(last.getColumn(0).getString());
    if (!day) throw Damaged(impl_->path, "das Datum der letzten Ziehung ist keines");
    return impl_->ReadOne(*day);
  } catch (const SQLite::Exception& e) {
    throw Translate(impl_->path, e);
  }
}

std::vector<Date> DrawingArchive::MissingDays(Date first, Date last, DrawDays days) const {
  std::vector<Date> missing;
  first = std::max(first, kFirstDate);
  last = std::min(last, kLastDate);
  if (first > last) return missing;
  std::vector<Date> stored;
  try {
    Use dates(impl_->Prepared(
        impl_->selectDates, "SELECT date FROM drawings WHERE date BETWEEN ? AND ? ORDER BY date"));
    dates->bind(1, FormatIsoDate(first));
    dates->bind(2, FormatIsoDate(last));
    while (dates->executeStep()) {
      if (std::optional<Date> day = ParseIsoDate(impl_->selectDates->getColumn(0).getString())) {
        stored.push_back(*day);
      }
    }
  } catch (const SQLite::Exception& e) {
    throw Translate(impl_->path, e);
  }
  auto next = stored.begin();
  for (Date day = first; day <= last; day.dayCount++) {
    if (!IsDrawingDay(day, days)) continue;
    while (next != stored.end() && *next < day) ++next;
    if (next == stored.end() || *next != day) missing.push_back(day);
  }
  return missing;
}

int64_t DrawingArchive::Count() const {
  try {
    return impl_->db.execAndGet("SELECT count(*) FROM drawings").getInt64();
  } catch (const SQLite::Exception& e) {
    throw Translate(impl_->path, e);
  }
}

std::string DrawingArchive::CheckIntegrity() const {
  std::string findings;
  auto add = [&findings](const std::string& line) {
    if (!findings.empty()) findings += '\n';
    findings += Utf8ToCp1252Lossy(line);
  };
  try {
    SQLite::Statement check(impl_->db, "PRAGMA integrity_check");
    while (check.executeStep()) {
      const std::string line = check.getColumn(0).getString();
      if (line != "ok") add(line);
    }
    // integrity_check leaves the references between the tables to this one.
    SQLite::Statement references(impl_->db, "PRAGMA foreign_key_check");
    while (references.executeStep()) {
      add("Tabelle " + references.getColumn(0).getString() + ": Zeile ohne ihren Eintrag in " +
          references.getColumn(2).getString());
    }
  } catch (const SQLite::Exception& e) {
    add(e.what());
  }
  return findings;
}

}  // namespace kw
