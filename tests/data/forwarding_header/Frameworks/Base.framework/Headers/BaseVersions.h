/* The version macro that the themed header's body depends on. */

#ifndef __BaseVersions_h_INCLUDE
#define __BaseVersions_h_INCLUDE
#define BASE_API_VERSION(ADDED, REMOVED) (ADDED <= 100 && REMOVED > 100)
#endif
