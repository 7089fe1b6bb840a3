#include "ModelRefresh.h"

#include "DataFiles.h"
#include "SqlTransaction.h"
#include "UDMGeral.h"
#include "UGlobal.h"

void RefreshModelFromStore()
{
    SqlTransaction transaction(TDMGeral::instance().database(Alias::Ravelha));
    LoadServices();
    Global().LastRosteredDay = DataFiles::ReadLastRosteredDay();
    LoadAllRosters();
    SaveAllRosters();
    transaction.commit();
}
