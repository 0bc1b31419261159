/* Structs with inner structs, unions and directives, in the shape of a run-loop header. */

struct _NSStreamState {
    int kind;
    struct {
        unsigned int open:1;
        unsigned int closed:1;
    } flags;
    union {
        long l;
        double d;
    } value;
};

typedef struct _GSRunLoopWatcher {
#if	defined(__MINGW32__)
    HANDLE handle;
#else
    int fd;
#endif
    void *data;
} GSRunLoopWatcher;

static struct _NSZoneStats {
    size_t bytes_used; /* a block comment
                          over two lines */
    size_t chunks_used;
} GSZoneStats;

typedef struct GSInner {
    void *(*malloc)(struct _NSZone *zone, size_t size);
    struct GSInner *next;
} GSInner;
