// "+" words of a GTS-6 transmission: a point name, a selector, and fixed-width fields.
#include <array>

#include "readers/tds6/tds6_reader.h"
#include "readers/text_helpers.h"

using readers::TrimView;

namespace {

// How a field is turned into the text of its event.
enum class Treat {
    Plain,  // as read
    Angle,  // through SetPointAngle once the units of the word are known
};

struct Pending {
    EventID id;
    std::string text;
    Treat treat;
};

}  // namespace

void CImpTDS6::DecodeMeasurement(std::string_view rest) {
    std::string name;
    std::string_view data;
    const size_t blank = rest.find(' ');
    if (blank != std::string_view::npos) {
        name = NextPart(rest, blank);  // the blank stays in front of the data
        data = rest;
    } else {
        // The name filled the word; the data is the next word.
        name = rest;
        if (NextWord(m_Data))
            CheckTopCn6_word(m_Data);
        else
            m_bFinished = true;
        data = m_Data;
    }
    name = TrimView(name);
    if (data.empty() || data[0] != ' ')
        LogMessage(9029, {name});
    if (!data.empty())
        data.remove_prefix(1);
    data = TrimView(data);
    if (data.empty())
        return;
    const char selector = data[0];
    DecodeFields(selector, name, TrimView(data.substr(1)));
}

// The fields are all taken before anything is pushed: the unit letters come after the values
// they qualify, and the engine converts each value as it is pushed.
void CImpTDS6::DecodeFields(char selector, std::string_view name, std::string_view data) {
    std::array<Pending, 8> out;
    size_t count = 0;
    auto add = [&](EventID id, std::string text, Treat treat = Treat::Plain) {
        out[count++] = {id, std::move(text), treat};
    };
    auto field = [&](size_t width) { return NextPart(data, width); };
    // A number with its decimal point implied before character `point`. An empty field is
    // completed like any other.
    auto number = [&](size_t width, long point) {
        std::string f = NextPart(data, width);
        readers::StrInsert(f, '.', point);
        return f;
    };
    // An angle field that lacks its tenths of seconds.
    auto tenths = [&](size_t width) { return NextPart(data, width) + '0'; };
    auto dist_unit = [&] { SetUnits(NextPart(data, 1) + "*"); };
    auto angle_unit = [&] { SetUnits("*" + NextPart(data, 1)); };

    bool point = false;
    switch (selector) {
        case 'x': {
            point = true;
            std::string x(data);
            readers::StrInsert(x, '.', 8);
            add(evPointX, std::move(x));
            break;
        }
        case 'U':
        case '/': {
            point = true;
            const size_t width = selector == 'U' ? 9 : 11;
            const long at = selector == 'U' ? 7 : 8;
            add(evPointX, number(width, at));
            add(evPointY, number(width, at));
            add(evPointH, number(width, at));
            dist_unit();
            break;
        }
        case '?':
        case 'R':
            add(selector == '?' ? evSlopeDist : evHorDist, number(9, 7));
            dist_unit();
            add(evVertAngle, tenths(7), Treat::Angle);
            add(evHorAngle, tenths(8), Treat::Angle);
            angle_unit();
            if (selector == '?')
                field(9);  // not used
            break;
        case '<':
            add(evVertAngle, tenths(7), Treat::Angle);
            add(evHorAngle, tenths(8), Treat::Angle);
            field(5);  // not used
            angle_unit();
            break;
        case 'D':
            add(evSlopeDist, number(9, 7));
            break;
        case 'A':
            add(evHorDist, number(9, 7));
            break;
        case 'E':
            add(evHeightDiff, number(9, 7));
            break;
        case 'W':
            add(evSlopeDist, number(10, 7));
            dist_unit();
            add(evVertAngle, field(8));
            add(evHorAngle, field(9));
            add(evPointX, number(11, 8));
            add(evPointY, number(11, 8));
            add(evPointH, number(11, 8));
            break;
        case '(':
        case '*':
            add(selector == '(' ? evSlopeDist : evHorDist, number(10, 7));
            dist_unit();
            add(evVertAngle, field(8), Treat::Angle);
            add(evHorAngle, field(9), Treat::Angle);
            angle_unit();
            add(selector == '(' ? evHorDist : evHeightDiff, number(10, 7));
            break;
        case '\'':
        case '\\':
            add(evVertAngle, field(8), Treat::Angle);
            add(evHorAngle, field(9), Treat::Angle);
            field(6);  // not used
            angle_unit();
            break;
        default:
            return;
    }
    PushM(point ? evPointName : evTarget, name);
    for (size_t i = 0; i < count; ++i) {
        const Pending& p = out[i];
        if (p.text.empty())
            continue;  // a field without a completing rule stays empty
        ShownAs shown(*this, p.text);
        PushM(p.id, p.treat == Treat::Angle ? SetPointAngle(p.text) : p.text);
    }
}
