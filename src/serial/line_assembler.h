// Received bytes made into lines: every kLineLength bytes are a line and get a CR LF, 0xFF from
// the device ends the transmission, and a zero byte ends what a chunk has to say.
#pragma once

#include <string>
#include <string_view>

namespace serial {

class LineAssembler {
  public:
    // What the assembler tells as the bytes come.
    class Listener {
      public:
        virtual void Progress(int bytes_of_line) = 0;  // every few bytes of a line
        virtual void LineDone() = 0;
        // True when the receive is to end (the user pressed Stop).
        virtual bool Stopped() = 0;

      protected:
        ~Listener() = default;
    };

    // Appends the chunk's bytes to `out`; true when the transmission has ended (the end mark
    // came or the receive was stopped), the rest of the chunk then left out.
    bool Feed(std::string_view chunk, std::string& out, Listener& listener);
    // Bytes of the line not yet complete.
    int partial() const { return m_count; }

  private:
    int m_count = 0;
};

}  // namespace serial
