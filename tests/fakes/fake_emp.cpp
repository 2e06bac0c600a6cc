// A stand-in staff library for the binding tests: it accepts every account
// but knows no employee, and, built with FAKE_WITHOUT_CHECK_LOGIN, lacks
// the account check altogether.
#include "abi/rankwise_abi.h"
#include "abi/rw_list.h"

extern "C" {

#ifndef FAKE_WITHOUT_CHECK_LOGIN
RW_EXPORT int I_Check_Login(const char*, const char*)
{
    return 1;
}
#endif

RW_EXPORT RwList* Get_user_logid(const char*)
{
    return rw::makeList({""});
}

RW_EXPORT int Get_userid()
{
    return 8001;
}

} // extern "C"
