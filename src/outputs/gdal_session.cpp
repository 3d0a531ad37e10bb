#include "outputs/gdal_session.h"

#include <cpl_error.h>
#include <gdal_priv.h>

#include <mutex>

namespace outputs {

GdalSession::GdalSession() {
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
}

GdalSession::~GdalSession() {
    CPLPopErrorHandler();
}

std::string GdalSession::LastError() {
    const char* msg = CPLGetLastErrorMsg();
    return msg && *msg ? msg : "GDAL gave no reason";
}

}  // namespace outputs
