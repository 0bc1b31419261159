/* Type names, in the shape of a framework runtime header. */

typedef unsigned int NSUInteger;
typedef int NSInteger;
typedef	double	NSTimeInterval;
typedef unsigned long long  GSUInt64;
typedef NSUInteger
    NSStringEncoding;

typedef NSPoint *NSPointPointer;
typedef NSRect * NSRectPtr;
typedef NSString* NSExceptionName;
typedef const void * GSConstPointer;
typedef char **  GSStringList;

typedef void (*NSUncaughtExceptionHandler)(NSException *exception);
typedef int (*GSSortFunction)(id, id, void *);

typedef struct _NSZone NSZone;
typedef struct _NSZone *NSZonePointer;
typedef struct GSSame GSSame;
typedef struct GSLonely;

typedef int GSSwapped;
typedef unsigned int GSSwapped;

// typedef int NotSeenInLineComment;
#if 0
typedef int NotSeenInRejectedBranch;
#endif
