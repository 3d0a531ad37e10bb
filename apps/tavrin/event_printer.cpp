#include "event_printer.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <iostream>
#include <system_error>

#include "host/json_writer.h"
#include "text/code_page.h"

namespace cli {
namespace {

constexpr size_t kBatchEvents = 16 * 1024;

// The value is the one to show: in UTF-8, whatever the file's encoding.
void AppendJson(const vrk::PushInfo& e, std::string& out) {
    vrk::JsonWriter w(out);
    w.BeginObject(vrk::JsonLayout::Inline);
    w.Key("file");
    w.String(e.file);
    w.Field("pass", e.pass);
    w.Field("record", static_cast<int64_t>(e.record));
    w.Field("line", static_cast<int64_t>(e.line));
    w.Field("id", e.id);
    w.Key("event");
    w.String(EventName(e.id));
    w.Key("value");
    w.String(e.value);
    w.Field("accepted", e.accepted);
    w.EndObject();
    w.Finish();
}

// "file:line #record evName "value"", written in place.
void AppendText(const vrk::PushInfo& e, std::string& out) {
    constexpr std::string_view kRefused = "  (not accepted)";
    const std::string_view name = EventName(e.id);
    const size_t at = out.size();
    out.resize(at + e.file.size() + name.size() + e.value.size() + kRefused.size() + 96);
    char* p = out.data() + at;
    const auto put = [&p](std::string_view t) { p = std::copy(t.begin(), t.end(), p); };
    const auto number = [&p](long n) { p = std::to_chars(p, p + 24, n).ptr; };
    put(e.file);
    *p++ = ':';
    number(e.line);
    put(" #");
    number(e.record);
    *p++ = ' ';
    if (name.empty()) {
        put("event ");
        number(e.id);
    } else {
        put(name);
    }
    put(" \"");
    put(e.value);
    *p++ = '"';
    if (!e.accepted)
        put(kRefused);
    *p++ = '\n';
    out.resize(static_cast<size_t>(p - out.data()));
}

}  // namespace

EventPrinter::EventPrinter(bool json) : m_json(json), m_tty(isatty(STDOUT_FILENO) != 0) {
    if (m_tty)
        return;
    m_batch.items.reserve(kBatchEvents);
    try {
        m_thread = std::thread([this] { Work(); });
    } catch (const std::system_error&) {
        // No second thread: the batches are written by this one.
    }
}

EventPrinter::~EventPrinter() {
    Flush();
    if (m_thread.joinable()) {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }
}

void EventPrinter::Print(const vrk::PushInfo& e) {
    const bool ascii = std::all_of(e.value.begin(), e.value.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii)
        m_utf8 = text::ToUtf8(e.value, e.encoding);
    const std::string_view value = ascii ? e.value : std::string_view(m_utf8);
    if (m_tty) {
        vrk::PushInfo shown = e;
        shown.value = value;
        m_json ? AppendJson(shown, m_out) : AppendText(shown, m_out);
        Write(m_out);
        return;
    }
    Batch& b = m_batch;
    if (b.files.empty() || b.files.back() != e.file)
        b.files.emplace_back(e.file);
    b.items.push_back({static_cast<uint32_t>(b.files.size() - 1),
                       static_cast<uint32_t>(b.texts.size()), static_cast<uint32_t>(value.size()),
                       e.pass, e.id, e.record, e.line, e.accepted});
    b.texts.append(value);
    if (b.items.size() >= kBatchEvents)
        Hand();
}

void EventPrinter::Flush() {
    if (!m_batch.items.empty())
        Hand();
    if (m_thread.joinable()) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_has_handed && !m_busy; });
    }
    std::cout.flush();
}

void EventPrinter::Format(const Batch& b, std::string& out) const {
    for (const Item& i : b.items) {
        vrk::PushInfo shown;
        shown.file = b.files[i.file];
        shown.pass = i.pass, shown.record = i.record, shown.line = i.line, shown.id = i.id;
        shown.value = std::string_view(b.texts).substr(i.value_at, i.value_size);
        shown.accepted = i.accepted;
        m_json ? AppendJson(shown, out) : AppendText(shown, out);
    }
}

void EventPrinter::Write(std::string& out) {
    std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
    if (m_tty)
        std::cout.flush();
    out.clear();
}

// The full batch goes to the writing thread once it has taken the one before, and the batch
// that thread has finished with, emptied, comes back to be filled.
void EventPrinter::Hand() {
    if (!m_thread.joinable()) {
        Format(m_batch, m_out);
        Write(m_out);
        Empty(m_batch);
        return;
    }
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_has_handed; });
    std::swap(m_handed, m_batch);
    m_has_handed = true;
    lock.unlock();
    m_changed.notify_all();
}

void EventPrinter::Work() {
    Batch mine;
    std::string out;
    for (;;) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_has_handed || m_stop; });
        if (!m_has_handed)
            return;
        std::swap(mine, m_handed);
        m_has_handed = false;
        m_busy = true;
        lock.unlock();
        m_changed.notify_all();
        Format(mine, out);
        Write(out);
        Empty(mine);
        lock.lock();
        m_busy = false;
        lock.unlock();
        m_changed.notify_all();
    }
}

void EventPrinter::Empty(Batch& b) {
    b.files.clear();
    b.texts.clear();
    b.items.clear();
}

}  // namespace cli
