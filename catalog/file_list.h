// Record set over FILELIST and the one operation on it.
#pragma once

#include <cstdint>
#include <string>

#include "catalog/record_set.h"

// The rows of FILELIST; key: CPATH.
class CFileList : public catalog::RecordSet {
public:
    explicit CFileList(catalog::OdbcConnection& database);

    catalog::RecordField<std::string> m_STA;
    catalog::RecordField<double> m_TBEGIN{0};
    catalog::RecordField<double> m_TQTY{0};
    catalog::RecordField<std::string> m_CH;
    catalog::RecordField<double> m_SPS{0};
    catalog::RecordField<std::int32_t> m_GAIN{0};
    catalog::RecordField<std::string> m_CPATH;
    catalog::RecordField<std::int32_t> m_FOFF{512};
    catalog::RecordField<std::int32_t> m_DATATYPE{0};
    catalog::RecordField<std::string> m_CREATER;
    catalog::RecordField<catalog::Timestamp> m_LDDATE{catalog::Timestamp::Now()};  // never assigned

    std::string GetDefaultSQL() const override { return "FILELIST"; }
};

// Writes the row of one trace file, replacing a row with the same CPATH.
// Raises catalog::DatabaseError.
void RegisterTraceFile(catalog::OdbcConnection& database, const std::string& station, double start,
                       double duration, const std::string& channel, double rate, std::int32_t gain,
                       const std::string& cpath);
