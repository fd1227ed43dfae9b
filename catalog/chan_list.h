// Record set over sitechan and the station-channel listing the dialog shows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/record_set.h"

// The rows of sitechan (read only).
class CChanList : public catalog::RecordSet {
public:
    explicit CChanList(catalog::OdbcConnection& database);

    catalog::RecordField<std::string> m_sta;
    catalog::RecordField<std::string> m_chan;
    catalog::RecordField<std::int32_t> m_ngroup{0};
    catalog::RecordField<std::int32_t> m_chanindex{0};
    catalog::RecordField<double> m_edeph{0};
    catalog::RecordField<double> m_lat{0};
    catalog::RecordField<double> m_lon{0};
    catalog::RecordField<double> m_sps{0};
    catalog::RecordField<double> m_hang{0};
    catalog::RecordField<double> m_vang{0};
    catalog::RecordField<std::string> m_descr;
    catalog::RecordField<std::string> m_calibfile;
    catalog::RecordField<catalog::Timestamp> m_lddate{catalog::Timestamp::Now()};

    std::string GetDefaultSQL() const override { return "[sitechan]"; }
};

struct StationChannel {
    std::string chan;     // channel name as stored
    double sps = 0;       // sampling rate
    std::string spsText;  // the rate as "%.3f"
};

// The rows of sitechan for one station, in the database's order.
// Raises catalog::DatabaseError.
std::vector<StationChannel> ListStationChannels(catalog::OdbcConnection& database,
                                                const std::string& station);
