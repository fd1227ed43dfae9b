#include "catalog/event_list.h"

CEventList::CEventList(catalog::OdbcConnection& database) : RecordSet(database) {
    BindField("[nindex]", m_nindex);
    BindField("[sta]", m_sta, Role::Key);
    BindField("[tbegin]", m_tbegin, Role::Key);
    BindField("[event_type]", m_event_type);
    BindField("[lddate]", m_lddate);
}

void RegisterEvent(catalog::OdbcConnection& database, const std::string& station,
                   double eventStart) {
    // The rows of the event are deleted and the new one inserted in one
    // transaction (a failed insert keeps the old row); nothing reads them first.
    CEventList events(database);
    // The start is compared as the double itself, so a start with a fraction
    // (45.3 s) finds its row again.
    events.SetFilter({{"sta", station}, {"tbegin", eventStart}});
    events.AddNew();
    events.m_sta = station;
    events.m_tbegin = eventStart;
    events.m_event_type = 1;
    events.Replace();
    events.Close();
}
