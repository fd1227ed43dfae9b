// Record set over eventlist and the one operation on it.
#pragma once

#include <cstdint>
#include <string>

#include "catalog/record_set.h"

// The rows of eventlist; key: sta + tbegin.
class CEventList : public catalog::RecordSet {
public:
    explicit CEventList(catalog::OdbcConnection& database);

    catalog::RecordField<std::int32_t> m_nindex{0};  // never assigned here
    catalog::RecordField<std::string> m_sta;
    catalog::RecordField<double> m_tbegin{0};
    catalog::RecordField<std::int32_t> m_event_type{0};
    catalog::RecordField<catalog::Timestamp> m_lddate{catalog::Timestamp::Now()};  // never assigned

    std::string GetDefaultSQL() const override { return "[eventlist]"; }
};

// Puts the row (station, event start, event_type 1) into eventlist, replacing
// a row with the same station and start. Raises catalog::DatabaseError.
void RegisterEvent(catalog::OdbcConnection& database, const std::string& station,
                   double eventStart);
