// Defaults of the table records that are not single values; shared with the plug-ins.
#include "userapp/UserAppTableRecords.h"

#include "userapp/UserAppRecords.h"

UserAppTextSetRecord::UserAppTextSetRecord() : m_logFont(UserAppFontRecord().m_logFont)
{
}

UserAppViewRecord::UserAppViewRecord()
{
    m_origin.Init(-16000, 16000);
}
