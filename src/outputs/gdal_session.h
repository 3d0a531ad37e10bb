// GDAL set up once, its messages kept off the terminal while we work: a failing call is
// reported through our own message with GDAL's reason.
#pragma once

#include <string>

namespace outputs {

class GdalSession {
  public:
    GdalSession();
    ~GdalSession();
    GdalSession(const GdalSession&) = delete;
    GdalSession& operator=(const GdalSession&) = delete;

    // GDAL's text of the last error, or a plain word when it gave none.
    static std::string LastError();
};

}  // namespace outputs
