#include "link/status_snapshot.h"

namespace kvx {

void ApplyStatusUpdate(TStatusSnapshot& Snapshot, const TStatusUpdate& Update)
{
    if (const auto* unit = std::get_if<TUnitStatus>(&Update)) Snapshot.Unit = *unit;
    else if (const auto* name = std::get_if<TOperatorName>(&Update)) Snapshot.Operator = name->Text;
    else if (const auto* imei = std::get_if<TModemIMEI>(&Update)) Snapshot.IMEI = imei->Text;
    else if (const auto* imsi = std::get_if<TSimIMSI>(&Update)) Snapshot.IMSI = imsi->Text;
}

} // namespace kvx
