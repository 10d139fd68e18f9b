/* The binary interface between Roamwise and an add-in library.
 *
 * An add-in library is a shared library (a .so on the emulated machine, a DLL on Windows)
 * that exports one C function, rmw_addin_entry. It answers with a table of functions that
 * create objects for class identifiers, call their members by name and read their
 * properties, and that register and unregister the library's classes in the system's
 * object registry. Only C types cross this boundary, so a library built with another
 * compiler (or in another language with a C interface) still loads.
 *
 * Versioning: the host passes the interface version it speaks; a library returns NULL
 * when it cannot serve that version, and the host refuses a table whose
 * interface_version differs from its own. Members may be appended to the end of
 * rmw_addin_library and rmw_registry_access in later versions; struct_size tells how far
 * a table reaches.
 *
 * Text is bytes with single-byte semantics (the machine's ANSI code page), passed with
 * its length so that it may hold any byte. Member names are matched without regard to
 * ASCII case.
 *
 * Ownership: arguments belong to the host and are valid only during the call. Results
 * and error texts written by a library belong to the object (or, for create_object, to
 * the library) and stay valid until the next call on that object, its release, or the
 * next create_object call on the library, whichever comes first; the host copies them
 * at once.
 *
 * No C++ exception may leave any function of the table: a library catches everything at
 * the boundary and answers with an error instead.
 */
#ifndef ROAMWISE_ADDIN_H
#define ROAMWISE_ADDIN_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define RMW_ADDIN_INTERFACE_VERSION 1u

#if defined(_WIN32)
#define RMW_ADDIN_EXPORT __declspec(dllexport)
#define RMW_ADDIN_CALL __cdecl
#else
#define RMW_ADDIN_EXPORT __attribute__((visibility("default")))
#define RMW_ADDIN_CALL
#endif

/* The kinds of value that travel across the boundary. */
typedef enum rmw_value_kind {
    RMW_VALUE_EMPTY = 0,
    RMW_VALUE_BOOLEAN = 1,
    RMW_VALUE_NUMBER = 2, /* a whole number, in `number` */
    RMW_VALUE_DOUBLE = 3, /* a floating number, in `real` */
    RMW_VALUE_TEXT = 4    /* `text` with `length` bytes; need not end in a zero byte */
} rmw_value_kind;

typedef struct rmw_value {
    int32_t kind; /* an rmw_value_kind */
    int32_t boolean; /* 0 false, anything else true */
    int32_t number;
    double real;
    const char* text;
    size_t length;
} rmw_value;

/* Status codes every call returns. */
#define RMW_OK 0
#define RMW_E_MEMBER_MISSING 438   /* the object has no member of that name */
#define RMW_E_ARGUMENT_COUNT 450   /* wrong number of arguments */
#define RMW_E_CANNOT_CREATE 429    /* no object for that class identifier */
#define RMW_E_FAILED 1             /* any other failure; the error says what */

/* What went wrong in a failed call: an error number (the status, or a number of the
 * add-in's own), the source (for example the class identifier) and a description for
 * the user. Texts are zero-terminated; NULL counts as empty. */
typedef struct rmw_error {
    int32_t number;
    const char* source;
    const char* description;
} rmw_error;

typedef struct rmw_addin_object rmw_addin_object; /* opaque to the host */

/* What the host offers the objects it creates: the few system functions an add-in needs,
 * reached through the host so that they act on the machine the host works on and take
 * part in what the host has open (a configuration file being saved, an apply that lands
 * whole or not at all). Paths are the machine's Windows paths. The table is valid until
 * the object is released.
 *
 * message_box: shows TEXT with CAPTION and the MessageBoxA style bits TYPE through the
 *   host's user interface and returns the button pressed as MessageBoxA does (IDOK = 1).
 * get_windows_directory, get_system_directory: as GetWindowsDirectoryA and
 *   GetSystemDirectoryA (the length copied, or the size needed when BUFFER is too small).
 * get_private_profile_string, write_private_profile_string: as the functions of those
 *   names (a NULL key reads the section's key names, a NULL key writes removes the
 *   section, a NULL value removes the key).
 * read_file: hands the whole content of the file to SINK in one call and returns 0, or
 *   returns a Win32 error code (ERROR_FILE_NOT_FOUND 2, ERROR_PATH_NOT_FOUND 3, ...).
 * write_file: replaces the file's whole content in one step (never leaving it half
 *   written; while the host applies a configuration, only once the apply succeeds) and
 *   returns 0, or returns a Win32 error code with the file as it was. */
typedef struct rmw_host_services {
    uint32_t struct_size;
    void* context;
    int32_t(RMW_ADDIN_CALL* message_box)(void* context, const char* text, const char* caption,
                                         uint32_t type);
    uint32_t(RMW_ADDIN_CALL* get_windows_directory)(void* context, char* buffer, uint32_t size);
    uint32_t(RMW_ADDIN_CALL* get_system_directory)(void* context, char* buffer, uint32_t size);
    uint32_t(RMW_ADDIN_CALL* get_private_profile_string)(void* context, const char* section,
                                                         const char* key,
                                                         const char* default_value, char* buffer,
                                                         uint32_t size, const char* file);
    int32_t(RMW_ADDIN_CALL* write_private_profile_string)(void* context, const char* section,
                                                          const char* key, const char* value,
                                                          const char* file);
    int32_t(RMW_ADDIN_CALL* read_file)(void* context, const char* path,
                                       void(RMW_ADDIN_CALL* sink)(void* sink_context,
                                                                  const char* data, size_t length),
                                       void* sink_context);
    int32_t(RMW_ADDIN_CALL* write_file)(void* context, const char* path, const char* data,
                                        size_t length);
} rmw_host_services;

/* Writes into the system's object registry for self-registration. KEY is a path below
 * HKEY_CLASSES_ROOT, such as "Vendor.Class\\CLSID"; a NULL or empty NAME is the key's
 * default value. Both return 0 on success and a Win32 error code otherwise. delete_tree
 * removes KEY with everything below it; a KEY that does not exist counts as removed (0),
 * and a NULL or empty KEY (the whole of HKEY_CLASSES_ROOT) is refused with
 * ERROR_INVALID_PARAMETER (87). */
typedef struct rmw_registry_access {
    uint32_t struct_size;
    void* context;
    int32_t(RMW_ADDIN_CALL* set_text)(void* context, const char* key, const char* name,
                                      const char* value);
    int32_t(RMW_ADDIN_CALL* delete_tree)(void* context, const char* key);
} rmw_registry_access;

typedef struct rmw_addin_library {
    uint32_t interface_version; /* RMW_ADDIN_INTERFACE_VERSION */
    uint32_t struct_size;       /* sizeof(rmw_addin_library) as the library was built */

    /* What the library calls itself and its version, shown by the Add-In Manager. */
    const char* display_name;
    const char* version;
    /* The programmatic identifier of the class that is the library's add-in: the "Class"
     * a registration of the library as an add-in uses. */
    const char* addin_class;

    /* Creates an object of CLASS_ID (a programmatic identifier or a "{...}" class id)
     * that uses HOST's services. On success stores it in *OBJECT and returns RMW_OK;
     * otherwise fills ERROR and returns RMW_E_CANNOT_CREATE or another status. */
    int32_t(RMW_ADDIN_CALL* create_object)(const char* class_id, const rmw_host_services* host,
                                           rmw_addin_object** object, rmw_error* error);
    void(RMW_ADDIN_CALL* release_object)(rmw_addin_object* object);

    /* Calls the method NAME with ARGUMENT_COUNT ARGUMENTS and stores its result. */
    int32_t(RMW_ADDIN_CALL* invoke_method)(rmw_addin_object* object, const char* name,
                                           const rmw_value* arguments, size_t argument_count,
                                           rmw_value* result, rmw_error* error);
    /* Reads the property NAME. */
    int32_t(RMW_ADDIN_CALL* get_property)(rmw_addin_object* object, const char* name,
                                          rmw_value* result, rmw_error* error);

    /* Self-registration: writes the library's classes into the object registry, with
     * LIBRARY_PATH (the machine path the host loaded it from) as their in-process server,
     * or removes them again. Return 0 on success and a Win32 error code otherwise. */
    int32_t(RMW_ADDIN_CALL* register_server)(const rmw_registry_access* registry,
                                             const char* library_path);
    int32_t(RMW_ADDIN_CALL* unregister_server)(const rmw_registry_access* registry);
} rmw_addin_library;

/* The one exported function: the library's table for HOST_VERSION, or NULL when the
 * library does not speak that version. */
typedef const rmw_addin_library*(RMW_ADDIN_CALL* rmw_addin_entry_function)(uint32_t host_version);
#define RMW_ADDIN_ENTRY_NAME "rmw_addin_entry"

#ifdef __cplusplus
}
#endif

#endif /* ROAMWISE_ADDIN_H */
