/*
 * The boundary between the Rankwise client and its run-time libraries.
 *
 * Plain C only: every export is extern "C"; text is UTF-8 and NUL-terminated
 * (the callee copies what it keeps); integers and Booleans are int (0 or 1).
 * A list result is allocated by the library that returns it, is never null,
 * and goes back to that same library's rw_list_free().  A list argument stays
 * the caller's.  Controls cross as small interfaces whose first member is the
 * caller's context pointer.
 */
#ifndef RANKWISE_ABI_H
#define RANKWISE_ABI_H

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32)
#define RW_EXPORT __declspec(dllexport)
#else
#define RW_EXPORT __attribute__((visibility("default")))
#endif

typedef struct RwList {
    int count;
    char** items;
} RwList;

/* A combo box: its items (text with an optional id) and its selection. */
typedef struct RwCombo {
    void* ctx;
    void (*clear)(void* ctx);
    void (*add_item)(void* ctx, const char* text, const char* id); /* id may be null */
    void (*set_index)(void* ctx, int index);
} RwCombo;

/* A grid of text cells; row 0 is the header row.  The text returned by cell()
 * stays valid until the next call on the same grid. */
typedef struct RwGrid {
    void* ctx;
    int (*row_count)(void* ctx);
    int (*col_count)(void* ctx);
    const char* (*cell)(void* ctx, int col, int row);
} RwGrid;

typedef struct RwProgress {
    void* ctx;
    void (*set_total)(void* ctx, int total);
    void (*set_position)(void* ctx, int position);
} RwProgress;

/* Every library provides this for the lists it returns. */
typedef void (*RwListFreeFn)(RwList* list);

#ifdef __cplusplus
}
#endif

#endif
