#include "catalog/chan_list.h"

#include <cstdio>

CChanList::CChanList(catalog::OdbcConnection& database) : RecordSet(database) {
    BindField("[sta]", m_sta, Role::Key);
    BindField("[chan]", m_chan, Role::Key);
    BindField("[ngroup]", m_ngroup);
    BindField("[chanindex]", m_chanindex);
    BindField("[edeph]", m_edeph);
    BindField("[lat]", m_lat);
    BindField("[lon]", m_lon);
    BindField("[sps]", m_sps);
    BindField("[hang]", m_hang);
    BindField("[vang]", m_vang);
    BindField("[descr]", m_descr);
    BindField("[calibfile]", m_calibfile);
    BindField("[lddate]", m_lddate);
}

std::vector<StationChannel> ListStationChannels(catalog::OdbcConnection& database,
                                                const std::string& station) {
    CChanList channels(database);
    channels.SetFilter({{"sta", station}});
    channels.Open();
    std::vector<StationChannel> list;
    for (; !channels.IsEOF(); channels.MoveNext()) {
        char rate[64];
        std::snprintf(rate, sizeof rate, "%.3f", channels.m_sps.value());
        list.push_back({channels.m_chan, channels.m_sps, rate});
    }
    channels.Close();
    return list;
}
