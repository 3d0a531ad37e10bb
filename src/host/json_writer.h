// JSON text written as it goes: no document is built, the output is handed on in blocks.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vrk {

// How the elements of an object or a list are laid out.
enum class JsonLayout {
    Lines,   // one element a line, indented
    Inline,  // all on the current line
};

// Usage: BeginObject(); Key("x"); Number(1.5); ...; EndObject(); Finish(). The writer puts in the
// commas, the layout and the string escapes. Numbers are the shortest text that reads back to the
// same double (non-finite numbers are written as null).
class JsonWriter {
  public:
    // Receives the text in pieces; returns false to stop the writing (the error is the sink's).
    using Sink = std::function<bool(std::string_view)>;

    // Appends to `out`.
    explicit JsonWriter(std::string& out);
    // Hands the text to `sink` in blocks of about 64 kB.
    explicit JsonWriter(Sink sink);

    void BeginObject(JsonLayout layout = JsonLayout::Lines);
    void EndObject();
    void BeginArray(JsonLayout layout = JsonLayout::Lines);
    void EndArray();
    void Key(std::string_view key);

    void Null();
    void Bool(bool v);
    void Int(int64_t v);
    void Number(double v);
    // A number that the reader multiplies by `read_scale` (an angle stored in radians and written
    // in degrees): the shortest text whose reading gives `stored` back exactly.
    void Number(double stored, double read_scale);
    void String(std::string_view v);

    // Key and value at once; an absent number and an empty text are written as null.
    void Field(std::string_view key, std::string_view text);
    void Field(std::string_view key, const char* text) { Field(key, std::string_view(text)); }
    void Field(std::string_view key, const std::optional<double>& v, double read_scale = 1.0);
    void Field(std::string_view key, double v) { Field(key, std::optional<double>(v)); }
    void Field(std::string_view key, bool v);
    void Field(std::string_view key, int64_t v);
    void Field(std::string_view key, int v) { Field(key, static_cast<int64_t>(v)); }

    // A writer that goes on from here, after an element of the current list, into `out`: a run
    // of elements can be written elsewhere (on another thread) and handed back with Append.
    JsonWriter Continuation(std::string& out) const;
    // Takes the text of a continuation made here, as if it had been written here.
    void Append(std::string_view continued);

    // Ends the text with a line feed and hands on what is left; false when the sink refused a
    // block.
    bool Finish();

  private:
    JsonWriter(std::string& out, const JsonWriter& from);

    struct Frame {
        JsonLayout layout;
        bool empty = true;
    };
    // Deeper levels are indented no further.
    static constexpr size_t kMaxIndent = 64;
    // Writes the comma and layout that go before the next element to `out` (at most
    // kMaxIndent + 2 characters) and returns how many.
    size_t Separator(char* out);
    void BeforeValue();
    void Open(char bracket, JsonLayout layout);
    void Close(char bracket);
    void Indent();
    void Raw(std::string_view s) { m_buf.append(s); }
    void MaybeFlush();

    std::string m_own;
    std::string& m_buf;
    Sink m_sink;
    bool m_ok = true;
    bool m_after_key = false;
    int m_indent = 0;
    std::vector<Frame> m_stack;
};

}  // namespace vrk
