/* The simulator's one export beyond the vendor library's calls: set a knob, run a test
   control or ask a question by name (sim/README.md lists the keys). */
#ifndef KVX_KVXSIM_CONTROL_H
#define KVX_KVXSIM_CONTROL_H

#include "link/siusbxp_api.h"

#ifdef __cplusplus
extern "C" {
#endif

/* 0 when a setting or control is taken, the answer (0 or more) to a query, -1 when refused. */
typedef int(SI_API* KVXSIM_Control_t)(const char* Key, const char* Value);

#define KVXSIM_CONTROL_NAME "KVXSIM_Control"

#ifdef __cplusplus
}
#endif

#endif
