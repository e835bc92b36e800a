#include "OfxReader.h"

#include "StatementText.h"

#include <libofx/libofx.h>

#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <span>
#include <thread>

namespace qz {

namespace {

std::string Upper(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

int LineAt(std::string_view text, std::size_t offset) {
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

// One <STMTTRN> as the file writes it.
struct TRawEntry {
    int Line = 0;
    std::string Amount;
    std::string Posted;
    std::string Id;
};

// The text after `<TAG>` up to the next tag or line end, inside [from, to).
std::string ElementText(std::string_view upper, std::string_view text, std::string_view tag, std::size_t from,
                        std::size_t to) {
    const std::string open = "<" + std::string(tag) + ">";
    const std::size_t at = upper.substr(from, to - from).find(open);
    if (at == std::string_view::npos)
        return {};
    const std::size_t start = from + at + open.size();
    std::size_t end = start;
    while (end < to && text[end] != '<' && text[end] != '\n' && text[end] != '\r')
        ++end;
    return std::string(TrimBlanks(text.substr(start, end - start)));
}

std::vector<TRawEntry> RawEntries(std::string_view text, std::string_view upper) {
    std::vector<TRawEntry> entries;
    int line = 1;
    std::size_t counted = 0; // the lines are counted up to here
    std::size_t at = upper.find("<STMTTRN>");
    while (at != std::string_view::npos) {
        const std::size_t next = upper.find("<STMTTRN>", at + 9);
        const std::size_t stop = next == std::string_view::npos ? upper.size() : next;
        const std::size_t close = upper.substr(at, stop - at).find("</STMTTRN>");
        const std::size_t end = close == std::string_view::npos ? stop : at + close;
        line += static_cast<int>(std::count(text.begin() + static_cast<std::ptrdiff_t>(counted),
                                            text.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
        counted = at;
        TRawEntry entry;
        entry.Line = line;
        entry.Amount = ElementText(upper, text, "TRNAMT", at, end);
        entry.Posted = ElementText(upper, text, "DTPOSTED", at, end);
        entry.Id = ElementText(upper, text, "FITID", at, end);
        entries.push_back(std::move(entry));
        at = next;
    }
    return entries;
}

// The character set a version 1 header or a version 2 declaration names, with its line;
// false with the reason for one this program does not read.
bool CheckCharset(std::string_view text, std::string_view upper, std::string& error) {
    auto refuse = [&](std::size_t at, const std::string& name) {
        error = LineMessage(LineAt(text, at), "the character set \"" + name +
                                                  "\" is not one this program reads (it reads UTF-8, US-ASCII, "
                                                  "Windows-1252 and ISO-8859-1)");
        return false;
    };
    if (const std::size_t at = upper.find("CHARSET:"); at != std::string_view::npos && at < 2048) {
        const std::size_t end = std::min(upper.find_first_of("\r\n", at), upper.size());
        const std::string name(TrimBlanks(upper.substr(at + 8, end - at - 8)));
        static const char* known[] = {"1252",     "ISO-8859-1", "8859-1",       "NONE",   "UTF-8",    "USASCII",
                                      "US-ASCII", "CP1252",     "WINDOWS-1252", "LATIN1", "ISO8859-1"};
        if (std::none_of(std::begin(known), std::end(known), [&](const char* k) { return name == k; }))
            return refuse(at, std::string(TrimBlanks(text.substr(at + 8, end - at - 8))));
    }
    // The XML declaration's encoding, in double or single quotes.
    if (const std::size_t at = upper.find("ENCODING="); at != std::string_view::npos && at < 2048 &&
                                                        at + 10 < upper.size() &&
                                                        (upper[at + 9] == '"' || upper[at + 9] == '\'')) {
        const std::size_t end = upper.find(upper[at + 9], at + 10);
        const std::size_t length = end == std::string_view::npos ? 0 : end - at - 10;
        const std::string name(upper.substr(at + 10, length));
        static const char* known[] = {"UTF-8", "US-ASCII", "ISO-8859-1", "WINDOWS-1252", "CP1252", "LATIN1"};
        if (std::none_of(std::begin(known), std::end(known), [&](const char* k) { return name == k; }))
            return refuse(at, std::string(text.substr(at + 10, length)));
    }
    return true;
}

// The first line the whole-file checks refuse; empty when the file may go to libofx.
std::string CheckOfx(std::string_view text) {
    const std::string upper = Upper(text);
    if (!TOfxReader::LooksLikeOfx(text))
        return LineMessage(1, "the file is not an OFX statement (it starts neither with \"OFXHEADER:\" nor "
                              "with \"<?xml\" or \"<OFX>\")");
    std::string error;
    if (!CheckCharset(text, upper, error))
        return error;
    if (upper.find("<OFX>") == std::string::npos)
        return LineMessage(LineAt(text, text.size()), "the file has no <OFX> element");
    if (upper.find("</OFX>") == std::string::npos)
        return LineMessage(LineAt(text, text.size()), "the file ends before </OFX>: it is cut short");
    return {};
}

struct TOfxCollected {
    struct TEntry {
        std::string Name;
        std::string Memo;
        std::string Check;
        std::string Id;
        bool HasAmount = false;
        bool HasDate = false;
        double Amount = 0;
        time_t Posted = 0;
    };
    std::vector<TEntry> Entries;
};

int OnTransaction(const OfxTransactionData data, void* context) {
    auto& collected = *static_cast<TOfxCollected*>(context);
    // Buying and selling securities is no money line of an account; a cash transfer of an
    // investment account is, and is written as a <STMTTRN> like a bank's.
    if (data.invtransactiontype_valid && data.invtransactiontype != OFX_INVBANKTRAN)
        return 0;
    TOfxCollected::TEntry entry;
    if (data.name_valid)
        entry.Name = data.name;
    if (data.memo_valid)
        entry.Memo = data.memo;
    if (data.check_number_valid)
        entry.Check = data.check_number;
    if (data.fi_id_valid)
        entry.Id = data.fi_id;
    entry.HasAmount = data.amount_valid != 0;
    entry.Amount = data.amount_valid ? data.amount : 0;
    entry.HasDate = data.date_posted_valid != 0;
    entry.Posted = data.date_posted_valid ? data.date_posted : 0;
    collected.Entries.push_back(std::move(entry));
    return 0;
}

// libofx keeps its message switches in globals and is not known to be reentrant.
std::mutex& LibofxLock() {
    static std::mutex lock;
    return lock;
}

// `locked` is false in a process made to read pieces: it has no other thread, and the lock
// may have been held by another thread of its parent when it was made.
bool RunLibofx(const std::string& path, TOfxCollected& collected, bool locked = true) {
    std::unique_lock<std::mutex> hold(LibofxLock(), std::defer_lock);
    if (locked)
        hold.lock();
    // Its messages go to stderr; the reader answers with its own.
    ofx_PARSER_msg = ofx_DEBUG_msg = ofx_DEBUG1_msg = ofx_DEBUG2_msg = ofx_DEBUG3_msg = ofx_DEBUG4_msg =
        ofx_DEBUG5_msg = ofx_STATUS_msg = ofx_INFO_msg = ofx_WARNING_msg = ofx_ERROR_msg = 0;
    LibofxContextPtr context = libofx_get_new_context();
    if (!context)
        return false;
    ofx_set_transaction_cb(context, OnTransaction, &collected);
    // libofx answers an error for any departure from the OFX document type (a statement
    // without the sign-on block its banks often leave out) even when it read every entry; the
    // entries it gives are checked against the file's own instead.
    libofx_proc_file(context, path.c_str(), OFX);
    libofx_free_context(context);
    return true;
}

// libofx files each entry in a tree that it walks from the start for every new one, so its
// time grows with the square of the entries: 10,000 entries in one piece cost 0.7 s. Each
// piece costs a reading of the document type (about 5 ms), so pieces of some 650 entries
// cost least. A long statement with one list of entries goes to it in pieces of ChunkEntries
// entries, each a whole file: the statement's bytes before its first entry, the entries, the
// bytes from the end of the list on. Empty when the file is read whole.
constexpr std::size_t ChunkEntries = 650;

std::vector<std::string> Pieces(const std::string& bytes) {
    const std::string upper = Upper(bytes);
    const std::size_t list = upper.find("<BANKTRANLIST>");
    const std::size_t listEnd = upper.find("</BANKTRANLIST>");
    if (list == std::string::npos || listEnd == std::string::npos ||
        upper.find("<BANKTRANLIST>", list + 1) != std::string::npos ||
        upper.find("<STMTTRN>", listEnd) != std::string::npos)
        return {};
    std::vector<std::size_t> starts;
    for (std::size_t at = upper.find("<STMTTRN>", list); at != std::string::npos && at < listEnd;
         at = upper.find("<STMTTRN>", at + 9))
        starts.push_back(at);
    if (starts.size() <= ChunkEntries || upper.find("<STMTTRN>") != starts.front())
        return {};
    const std::string_view text = bytes;
    const std::string_view head = text.substr(0, starts.front());
    const std::string_view tail = text.substr(listEnd);
    std::vector<std::string> pieces;
    for (std::size_t i = 0; i < starts.size(); i += ChunkEntries) {
        const std::size_t end = i + ChunkEntries < starts.size() ? starts[i + ChunkEntries] : listEnd;
        std::string piece(head);
        piece += text.substr(starts[i], end - starts[i]);
        piece += tail;
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

using PieceSpan = std::span<const std::string>;

// The pieces through libofx one after another, each from a file of its own.
bool RunLibofxOnPieces(PieceSpan pieces, TOfxCollected& collected, bool locked = true) {
    std::string pattern = (std::filesystem::temp_directory_path() / "qz-ofx-XXXXXX").string();
    const int descriptor = ::mkstemp(pattern.data());
    if (descriptor < 0)
        return false;
    ::close(descriptor);
    bool read = true;
    for (const std::string& piece : pieces) {
        std::ofstream out(pattern, std::ios::binary | std::ios::trunc);
        out << piece;
        out.close();
        if (!out || !RunLibofx(pattern, collected, locked)) {
            read = false;
            break;
        }
    }
    std::error_code ignored;
    std::filesystem::remove(pattern, ignored);
    return read;
}

// The entries a second process read travel back to its parent in a memory file: for each
// entry its four texts (length, bytes), the two marks, the amount and the date.
void PutText(std::string& out, const std::string& text) {
    const auto length = static_cast<std::uint32_t>(text.size());
    out.append(reinterpret_cast<const char*>(&length), sizeof length);
    out += text;
}

template <class T> void PutValue(std::string& out, const T& value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

std::string Packed(const TOfxCollected& collected) {
    std::string out;
    for (const TOfxCollected::TEntry& e : collected.Entries) {
        for (const std::string* text : {&e.Name, &e.Memo, &e.Check, &e.Id})
            PutText(out, *text);
        PutValue(out, static_cast<std::uint8_t>(e.HasAmount | e.HasDate << 1));
        PutValue(out, e.Amount);
        PutValue(out, static_cast<std::int64_t>(e.Posted));
    }
    return out;
}

bool Unpack(std::string_view in, TOfxCollected& collected) {
    auto take = [&](void* to, std::size_t size) {
        if (in.size() < size)
            return false;
        std::memcpy(to, in.data(), size);
        in.remove_prefix(size);
        return true;
    };
    while (!in.empty()) {
        TOfxCollected::TEntry e;
        for (std::string* text : {&e.Name, &e.Memo, &e.Check, &e.Id}) {
            std::uint32_t length = 0;
            if (!take(&length, sizeof length) || in.size() < length)
                return false;
            text->assign(in.substr(0, length));
            in.remove_prefix(length);
        }
        std::uint8_t marks = 0;
        std::int64_t posted = 0;
        if (!take(&marks, 1) || !take(&e.Amount, sizeof e.Amount) || !take(&posted, sizeof posted))
            return false;
        e.HasAmount = marks & 1;
        e.HasDate = marks & 2;
        e.Posted = static_cast<time_t>(posted);
        collected.Entries.push_back(std::move(e));
    }
    return true;
}

bool WriteAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t wrote = ::write(descriptor, bytes.data(), bytes.size());
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(wrote));
    }
    return true;
}

bool ReadAll(int descriptor, std::string& bytes) {
    if (::lseek(descriptor, 0, SEEK_SET) != 0)
        return false;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

std::atomic<TOfxReader::TSharing> Sharing{TOfxReader::TSharing::Share};

// Waits for the second process; one that has not finished long after this process finished
// its own half (it may have been made while another thread held a lock it needs) is stopped.
bool ChildFinished(pid_t child, std::chrono::steady_clock::duration ownTime) {
    const auto deadline = std::chrono::steady_clock::now() +
                          std::max<std::chrono::steady_clock::duration>(std::chrono::seconds(5), ownTime * 4);
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child)
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (done < 0 && errno != EINTR)
            return false;
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
            }
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// The first half of the pieces are read here while a second process reads the rest (two
// cores read a long statement in about half the time); when it gives nothing back, its
// pieces are read here after all.
bool RunLibofxInPieces(const std::vector<std::string>& pieces, TOfxCollected& collected) {
    const TOfxReader::TSharing sharing = Sharing.load();
    const PieceSpan all(pieces);
    const std::size_t half = (pieces.size() + 1) / 2;
    const int memory =
        sharing == TOfxReader::TSharing::Alone || pieces.size() < 2 ? -1 : ::memfd_create("qz-ofx", MFD_CLOEXEC);
    const pid_t child = memory < 0 ? -1 : ::fork();
    if (child == 0) {
        TOfxCollected theirs;
        const bool read = sharing != TOfxReader::TSharing::ShareWithFailingChild &&
                          RunLibofxOnPieces(all.subspan(half), theirs, false) && WriteAll(memory, Packed(theirs));
        ::_exit(read ? 0 : 1);
    }
    const auto started = std::chrono::steady_clock::now();
    const PieceSpan here = child > 0 ? all.first(half) : all;
    bool read = RunLibofxOnPieces(here, collected);
    if (child > 0) {
        std::string bytes;
        const bool theirs = ChildFinished(child, std::chrono::steady_clock::now() - started) && ReadAll(memory, bytes);
        TOfxCollected rest;
        if (read && theirs && Unpack(bytes, rest))
            std::move(rest.Entries.begin(), rest.Entries.end(), std::back_inserter(collected.Entries));
        else if (read)
            read = RunLibofxOnPieces(all.subspan(half), collected);
    }
    if (memory >= 0)
        ::close(memory);
    return read;
}

std::string Utf8Text(std::string text) {
    std::string ignored;
    // libofx hands over texts in the file's own character set when it could not convert them.
    StatementTextToUtf8(text, ignored);
    return std::string(TrimBlanks(text));
}

TStatementLine LineOf(const TOfxCollected::TEntry& entry, const TRawEntry* raw) {
    TStatementLine line;
    line.Line = raw ? raw->Line : 0;
    line.Payee = Utf8Text(entry.Name);
    line.Memo = Utf8Text(entry.Memo);
    line.Reference = Utf8Text(!entry.Check.empty() ? entry.Check : entry.Id);
    std::string why;
    const std::string posted = raw ? raw->Posted.substr(0, 8) : std::string();
    if (!raw)
        line.Bad = "an entry libofx read has no <STMTTRN> in the file";
    else if (raw->Posted.empty())
        line.Bad = LineMessage(raw->Line, "the entry has no date (DTPOSTED)");
    else if (!ParseStatementDate(posted, TDateOrder::YearMonthDay, line.Date))
        line.Bad = LineMessage(raw->Line, "the date \"" + raw->Posted + "\" is not a valid date");
    else if (raw->Amount.empty())
        line.Bad = LineMessage(raw->Line, "the entry has no amount (TRNAMT)");
    else if (!ParseStatementAmount(
                 raw->Amount,
                 raw->Amount.find(',') != std::string::npos && raw->Amount.find('.') == std::string::npos ? ',' : '.',
                 line.Cents, why))
        line.Bad = LineMessage(raw->Line, why);
    return line;
}

} // namespace

bool TOfxReader::LooksLikeOfx(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    text = TrimBlanks(text);
    const std::string start = Upper(text.substr(0, 512));
    return start.rfind("OFXHEADER:", 0) == 0 || start.rfind("<OFX>", 0) == 0 ||
           (start.rfind("<?XML", 0) == 0 && start.find("<?OFX") != std::string::npos);
}

TStatement TOfxReader::ReadFile(const std::string& path) const {
    std::string bytes;
    std::string error;
    if (!ReadStatementBytes(path, bytes, error))
        return TStatement::Refused(error);
    std::string text = bytes;
    if (!StatementTextToUtf8(text, error))
        return TStatement::Refused(error);
    if (const std::string refusal = CheckOfx(text); !refusal.empty())
        return TStatement::Refused(refusal);
    TOfxCollected collected;
    const std::vector<std::string> pieces = Pieces(bytes);
    if (pieces.empty() ? !RunLibofx(path, collected) : !RunLibofxInPieces(pieces, collected))
        return TStatement::Refused("libofx could not read the file as OFX");
    const std::vector<TRawEntry> raw = RawEntries(text, Upper(text));
    // libofx gives the entries in the order of the file: the n-th is the n-th <STMTTRN>.
    if (collected.Entries.size() != raw.size())
        return TStatement::Refused("the file's " + std::to_string(raw.size()) + " entries read as " +
                                   std::to_string(collected.Entries.size()) + ": it is damaged");
    TStatement statement;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (!collected.Entries[i].Id.empty() && !raw[i].Id.empty() && collected.Entries[i].Id != raw[i].Id)
            return TStatement::Refused(LineMessage(raw[i].Line, "the entry reads differently in two passes: the "
                                                                "file is damaged"));
        statement.Lines.push_back(LineOf(collected.Entries[i], &raw[i]));
    }
    return statement;
}

void TOfxReader::SetSharingForTests(TSharing sharing) {
    Sharing = sharing;
}

} // namespace qz
