// JSON text read in one pass, the caller saying what it expects where: no document is built.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "import/contracts/opt_double.h"

namespace vrk {

// A callable passed down without a copy or an allocation; lives only for the call.
template <class Signature>
class FunctionRef;
template <class R, class... Args>
class FunctionRef<R(Args...)> {
  public:
    template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, FunctionRef>>>
    FunctionRef(F&& f)  // NOLINT: converts from any callable
        : m_obj(const_cast<void*>(static_cast<const void*>(&f))),
          m_call([](void* o, Args... a) -> R {
              return (*static_cast<std::remove_reference_t<F>*>(o))(std::forward<Args>(a)...);
          }) {}
    R operator()(Args... a) const { return m_call(m_obj, std::forward<Args>(a)...); }

  private:
    void* m_obj;
    R (*m_call)(void*, Args...);
};

// Message ids of the reader (string table).
enum JsonMessage : unsigned {
    kJsonSyntax = 9700,      // not valid JSON at line, column: reason
    kJsonNotProject = 9701,  // valid JSON of another shape
    kJsonFieldType = 9702,   // object: field is this type where that type is expected
    kJsonEndsEarly = 9703,
    kJsonUnexpected = 9704,
    kJsonNumberRange = 9705,
    kJsonNewerFormat = 9706,
    kJsonCannotOpen = 9707,
    kJsonTypeObject = 9708,  // type names, 9708 to 9713
    kJsonTypeArray = 9709,
    kJsonTypeText = 9710,
    kJsonTypeNumber = 9711,
    kJsonTypeBool = 9712,
    kJsonTypeWhole = 9713,
};

// Reads a document the way its reader functions walk it:
//
//   JsonReader r(text);
//   r.Object(kKindPoint, [&](std::string_view key) {
//       if (key == "x") r.Number(p.x);
//       else if (key == "name") r.Text(p.name);
//   });                                     // fields nobody reads are skipped
//
// A getter called on a value of another type leaves its target alone and notes the field, the
// object (its kind, its place and its name) and both types; the walk goes on, so that every such
// field is reported. A syntax error ends the walk. `kind` is the string-table id that names the
// kind of object in messages.
class JsonReader {
  public:
    enum class Type { Object, Array, String, Number, Bool, Null, End };

    explicit JsonReader(std::string_view text);

    // The type of the value at hand (End after a syntax error or at the end of the text).
    Type Peek();

    // The string-table id of a type's name.
    static unsigned TypeName(Type t);

    // An object: `field` is called with each key, the reader standing on its value. An object of
    // kind 0 is a part of its parent (a map of values): its fields are named "parent.key".
    void Object(unsigned kind, FunctionRef<void(std::string_view key)> field);
    // A list of objects: `element` is called for each, the reader standing on it (the element
    // calls Object); elements that are not objects are noted and skipped.
    void Objects(FunctionRef<void()> element);
    // A list: `element` is called for each, the reader standing on it.
    void Array(FunctionRef<void()> element);

    // Getters for the value at hand. Null leaves the target empty (an absent value).
    void Text(std::string& out);
    void Number(std::optional<double>& out, double scale = 1.0);
    void Number(OptDouble& out, double scale = 1.0) {
        std::optional<double> v;
        Number(v, scale);
        out = v;
    }
    template <class V>  // zut::CValue and friends: assignable from double, Invalidate()
    void Number(V& out, double scale = 1.0) {
        std::optional<double> v;
        Number(v, scale);
        if (v)
            out = *v;
        else
            out.Invalidate();
    }
    void Int(std::optional<int64_t>& out);
    void Bool(bool& out);
    // Leaves the value unread.
    void Skip();
    // Notes that the value at hand is not of the type `expected` (a string-table id, see the type
    // names in project_json) and skips it; for checks of one's own.
    void WrongType(unsigned expected);

    // Gives the object being read a name for messages (the "name" field does it by itself).
    void NameObject(std::string_view name);
    // The key of the field at hand.
    std::string_view CurrentKey() const { return m_key; }

    // After the walk: checks that nothing but blanks follow the document.
    void End();
    bool ok() const { return m_syntax.empty() && m_fields.empty() && m_pending.empty(); }
    bool syntax_ok() const { return m_syntax.empty(); }
    // The syntax error, else the type errors one a line (at most 20, then how many more).
    std::string Error() const;

  private:
    struct Frame {
        unsigned kind = 0;
        size_t index = 0;  // 1-based place in its list, 0 when not in a list
        std::string name;
        std::string key;  // the parent's key of this object
        size_t first_error = 0;
    };
    struct FieldError {
        std::string key;
        unsigned got, expected;
        std::vector<std::string> where;  // the objects around the field, outermost first
    };

    void SkipBlanks();
    bool Expect(char c);
    void Fail(unsigned reason, std::string_view arg = {});
    bool ReadString(std::string& out);
    bool ReadNumber(double& out, bool& integral);
    std::string FieldKey() const;
    bool ReadLiteral(std::string_view word);
    void Flush();
    void Unexpected();
    void ObjectBody(FunctionRef<void(std::string_view key)> field);
    void SkipValue(int depth);
    void Note(unsigned got, unsigned expected);

    std::string_view m_text;
    size_t m_pos = 0;
    std::string m_key;
    std::string m_scratch;
    std::vector<Frame> m_frames;
    std::vector<FieldError> m_pending;
    size_t m_next_index = 0;
    std::vector<std::string> m_fields;
    size_t m_unlisted = 0;  // type errors beyond those kept
    std::string m_syntax;
};

}  // namespace vrk
