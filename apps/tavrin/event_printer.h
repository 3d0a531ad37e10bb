// The events command's output: one line per event, and a file gives millions.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "import/contracts/vrk.h"

namespace cli {

// On a terminal each line goes out at once, so that it shows before a question the import
// asks. Otherwise events are collected in batches that another thread turns into lines and
// writes, while this one reads on.
class EventPrinter {
  public:
    explicit EventPrinter(bool json);
    ~EventPrinter();
    EventPrinter(const EventPrinter&) = delete;
    EventPrinter& operator=(const EventPrinter&) = delete;

    void Print(const vrk::PushInfo& e);
    // Every event printed so far is written out.
    void Flush();

  private:
    struct Item {
        uint32_t file = 0, value_at = 0, value_size = 0;
        int pass = 0, id = 0;
        long record = 0, line = 0;
        bool accepted = false;
    };
    struct Batch {
        std::vector<std::string> files;
        std::string texts;  // the values, one after another
        std::vector<Item> items;
    };

    void Format(const Batch& b, std::string& out) const;
    void Write(std::string& out);
    void Hand();
    void Work();
    static void Empty(Batch& b);

    bool m_json;
    bool m_tty;
    Batch m_batch;
    std::string m_utf8, m_out;
    // The writing thread and what is handed to it.
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    Batch m_handed;
    bool m_has_handed = false, m_busy = false, m_stop = false;
};

}  // namespace cli
