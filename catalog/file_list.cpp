#include "catalog/file_list.h"

namespace {

constexpr std::int32_t kFirstSampleOffset = 512;  // after the TVX 4.0 header
constexpr std::int32_t kShortSamples = 5;         // data type "SHORT"
constexpr const char* kCreator = "KELVARON";

}  // namespace

CFileList::CFileList(catalog::OdbcConnection& database) : RecordSet(database) {
    BindField("STA", m_STA);
    BindField("TBEGIN", m_TBEGIN);
    BindField("TQTY", m_TQTY);
    BindField("CH", m_CH);
    BindField("SPS", m_SPS);
    BindField("GAIN", m_GAIN);
    BindField("CPATH", m_CPATH, Role::Key);
    BindField("FOFF", m_FOFF);
    BindField("DATATYPE", m_DATATYPE);
    BindField("CREATER", m_CREATER);
    BindField("LDDATE", m_LDDATE);
}

void RegisterTraceFile(catalog::OdbcConnection& database, const std::string& station, double start,
                       double duration, const std::string& channel, double rate, std::int32_t gain,
                       const std::string& cpath) {
    // The rows of the path are deleted and the new one inserted in one
    // transaction (a failed insert keeps the old row); nothing reads them first.
    CFileList files(database);
    files.SetFilter({{"cpath", cpath}});
    files.AddNew();
    files.m_STA = station;
    files.m_TBEGIN = start;
    files.m_TQTY = duration;
    files.m_CH = channel;
    files.m_SPS = rate;
    files.m_GAIN = gain;
    files.m_CPATH = cpath;
    files.m_FOFF = kFirstSampleOffset;
    files.m_DATATYPE = kShortSamples;
    files.m_CREATER = kCreator;
    files.Replace();
    files.Close();
}
