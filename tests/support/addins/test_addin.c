/* An add-in library for the tests, written in plain C against the binary interface
 * alone. Compiled several ways:
 *   (default)            a well-behaved add-in: every member, counts its calls, uses the
 *                        host's services
 *   TEST_ADDIN_NO_ABOUT  the same add-in without its "about" member
 *   TEST_ADDIN_FUTURE    a library that answers with a table of interface version 2
 *   TEST_ADDIN_FAILING   members that fail: errors with and without texts, a result of
 *                        an unknown kind, an exception escaping (test_addin_thrower.cpp),
 *                        and a class it refuses to make
 * The class names and the class id come from the build (TEST_ADDIN_PROGID,
 * TEST_ADDIN_CLSID, TEST_ADDIN_NAME). */
#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "addins/sdk/RoamwiseAddIn.h"

#ifdef TEST_ADDIN_FAILING
void test_addin_throw(void);
#endif

#define SECTION "Test Add-In"

struct rmw_addin_object {
    const rmw_host_services* host;
    int calls;
    int changed;
    int restart;
    char value[256];
    char text[1024]; /* the last text result, kept until the next call */
};

static int live_objects = 0;
static char error_text[256];

static int same_name(const char* left, const char* right) {
    while (*left && *right) {
        if (tolower((unsigned char)*left) != tolower((unsigned char)*right)) return 0;
        ++left;
        ++right;
    }
    return *left == *right;
}

static void set_error(rmw_error* error, int32_t number, const char* description) {
    if (error == NULL) return;
    error->number = number;
    error->source = description ? TEST_ADDIN_NAME : NULL;
    error->description = description;
}

static void answer_boolean(rmw_value* result, int value) {
    memset(result, 0, sizeof *result);
    result->kind = RMW_VALUE_BOOLEAN;
    result->boolean = value;
}

static void answer_number(rmw_value* result, int32_t value) {
    memset(result, 0, sizeof *result);
    result->kind = RMW_VALUE_NUMBER;
    result->number = value;
}

static void answer_text(rmw_addin_object* object, rmw_value* result, const char* text,
                        size_t length) {
    if (length >= sizeof object->text) length = sizeof object->text - 1;
    memcpy(object->text, text, length);
    object->text[length] = '\0';
    memset(result, 0, sizeof *result);
    result->kind = RMW_VALUE_TEXT;
    result->text = object->text;
    result->length = length;
}

/* The argument as zero-terminated text (texts only). */
static const char* text_argument(const rmw_value* argument, char* buffer, size_t size) {
    size_t length = argument->kind == RMW_VALUE_TEXT ? argument->length : 0;
    if (length >= size) length = size - 1;
    if (length > 0) memcpy(buffer, argument->text, length);
    buffer[length] = '\0';
    return buffer;
}

static void RMW_ADDIN_CALL collect(void* context, const char* data, size_t length) {
    rmw_addin_object* object = context;
    if (length >= sizeof object->text) length = sizeof object->text - 1;
    memcpy(object->text, data, length);
    object->text[length] = '\0';
}

static int32_t RMW_ADDIN_CALL create_object(const char* class_id, const rmw_host_services* host,
                                            rmw_addin_object** object, rmw_error* error) {
    if (!same_name(class_id, TEST_ADDIN_PROGID) && !same_name(class_id, TEST_ADDIN_CLSID)) {
        snprintf(error_text, sizeof error_text, "this library makes no %s", class_id);
        set_error(error, RMW_E_CANNOT_CREATE, error_text);
        return RMW_E_CANNOT_CREATE;
    }
    if (host == NULL || host->struct_size < sizeof(rmw_host_services)) {
        set_error(error, RMW_E_CANNOT_CREATE, "the host offers too few services");
        return RMW_E_CANNOT_CREATE;
    }
    *object = calloc(1, sizeof **object);
    if (*object == NULL) {
        set_error(error, RMW_E_CANNOT_CREATE, "out of memory");
        return RMW_E_CANNOT_CREATE;
    }
    (*object)->host = host;
    ++live_objects;
    return RMW_OK;
}

static void RMW_ADDIN_CALL release_object(rmw_addin_object* object) {
    if (object == NULL) return;
    --live_objects;
    free(object);
}

static int expect_arguments(size_t given, size_t wanted, rmw_error* error) {
    if (given == wanted) return 1;
    set_error(error, RMW_E_ARGUMENT_COUNT, NULL);
    return 0;
}

static int32_t RMW_ADDIN_CALL invoke_method(rmw_addin_object* object, const char* name,
                                            const rmw_value* arguments, size_t count,
                                            rmw_value* result, rmw_error* error) {
    const rmw_host_services* host = object->host;
    char path[512];
    ++object->calls;
    memset(result, 0, sizeof *result);
#ifdef TEST_ADDIN_FAILING
    if (same_name(name, "applySettings")) {
        set_error(error, 1001, "the hosts file is locked");
        return RMW_E_FAILED;
    }
    if (same_name(name, "Show")) {
        set_error(error, 0, NULL);
        return RMW_E_ARGUMENT_COUNT;
    }
    if (same_name(name, "Explode")) {
        test_addin_throw();
        return RMW_OK;
    }
    if (same_name(name, "Vague")) {
        set_error(error, 0, NULL);
        return RMW_E_FAILED;
    }
#endif
    if (same_name(name, "loadSettings")) {
        if (!expect_arguments(count, 1, error)) return RMW_E_ARGUMENT_COUNT;
        text_argument(&arguments[0], path, sizeof path);
        char restart[8];
        host->get_private_profile_string(host->context, SECTION, "Value", "", object->value,
                                         sizeof object->value, path);
        host->get_private_profile_string(host->context, SECTION, "Restart", "0", restart,
                                         sizeof restart, path);
        object->restart = strcmp(restart, "1") == 0;
        return RMW_OK;
    }
    if (same_name(name, "saveSettings")) {
        if (!expect_arguments(count, 1, error)) return RMW_E_ARGUMENT_COUNT;
        text_argument(&arguments[0], path, sizeof path);
        if (!host->write_private_profile_string(host->context, SECTION, "Value", object->value,
                                                path)) {
            set_error(error, 75, "the configuration file refused the add-in's section");
            return RMW_E_FAILED;
        }
        return RMW_OK;
    }
    if (same_name(name, "applySettings")) {
        uint32_t length;
        int32_t status;
        if (!expect_arguments(count, 0, error)) return RMW_E_ARGUMENT_COUNT;
        length = host->get_windows_directory(host->context, path, sizeof path);
        if (length == 0 || length >= sizeof path - 16) {
            set_error(error, 76, "no Windows folder");
            return RMW_E_FAILED;
        }
        strcat(path, "\\TESTADDN.TXT");
        status = host->write_file(host->context, path, object->value, strlen(object->value));
        if (status != 0) {
            set_error(error, 75, "TESTADDN.TXT cannot be written");
            return RMW_E_FAILED;
        }
        return RMW_OK;
    }
    if (same_name(name, "Show")) {
        if (!expect_arguments(count, 0, error)) return RMW_E_ARGUMENT_COUNT;
        object->changed =
            host->message_box(host->context, "Change the test value?", TEST_ADDIN_NAME, 4 | 32) == 6;
        if (object->changed) strcpy(object->value, "changed");
        return RMW_OK;
    }
#ifndef TEST_ADDIN_NO_ABOUT
    if (same_name(name, "about")) {
        if (!expect_arguments(count, 0, error)) return RMW_E_ARGUMENT_COUNT;
        host->message_box(host->context, TEST_ADDIN_NAME " 1.2.3", "About", 64);
        return RMW_OK;
    }
#endif
    if (same_name(name, "Echo")) { /* answers its argument as it came */
        if (!expect_arguments(count, 1, error)) return RMW_E_ARGUMENT_COUNT;
        *result = arguments[0];
        if (arguments[0].kind == RMW_VALUE_TEXT) {
            answer_text(object, result, arguments[0].text, arguments[0].length);
        }
        return RMW_OK;
    }
    if (same_name(name, "SetValue")) {
        if (!expect_arguments(count, 1, error)) return RMW_E_ARGUMENT_COUNT;
        text_argument(&arguments[0], object->value, sizeof object->value);
        return RMW_OK;
    }
    if (same_name(name, "SetRestart")) {
        if (!expect_arguments(count, 1, error)) return RMW_E_ARGUMENT_COUNT;
        object->restart = arguments[0].kind == RMW_VALUE_BOOLEAN && arguments[0].boolean;
        return RMW_OK;
    }
    if (same_name(name, "ReadFile")) { /* the file's text, or the error code as a number */
        int32_t status;
        if (!expect_arguments(count, 1, error)) return RMW_E_ARGUMENT_COUNT;
        text_argument(&arguments[0], path, sizeof path);
        object->text[0] = '\0';
        status = host->read_file(host->context, path, collect, object);
        if (status != 0) {
            answer_number(result, status);
        } else {
            answer_text(object, result, object->text, strlen(object->text));
        }
        return RMW_OK;
    }
    if (same_name(name, "KeyNames")) { /* the section's key names, joined by commas */
        char list[512];
        uint32_t length, i;
        if (!expect_arguments(count, 1, error)) return RMW_E_ARGUMENT_COUNT;
        text_argument(&arguments[0], path, sizeof path);
        length = host->get_private_profile_string(host->context, SECTION, NULL, "", list,
                                                  sizeof list, path);
        for (i = 0; i + 1 < length; ++i) {
            if (list[i] == '\0') list[i] = ',';
        }
        answer_text(object, result, list, length > 0 ? length - 1 : 0);
        return RMW_OK;
    }
    if (same_name(name, "SystemDirectory")) {
        uint32_t needed = host->get_system_directory(host->context, NULL, 0);
        uint32_t length = host->get_system_directory(host->context, path, sizeof path);
        if (needed != length + 1) {
            set_error(error, 5, "the size asked for does not match the folder");
            return RMW_E_FAILED;
        }
        answer_text(object, result, path, length);
        return RMW_OK;
    }
    set_error(error, RMW_E_MEMBER_MISSING, NULL);
    return RMW_E_MEMBER_MISSING;
}

static int32_t RMW_ADDIN_CALL get_property(rmw_addin_object* object, const char* name,
                                           rmw_value* result, rmw_error* error) {
    ++object->calls;
#ifdef TEST_ADDIN_FAILING
    if (same_name(name, "restart")) {
        memset(result, 0, sizeof *result);
        result->kind = 99;
        return RMW_OK;
    }
#endif
    if (same_name(name, "restart")) {
        answer_boolean(result, object->restart);
    } else if (same_name(name, "Changed")) {
        answer_boolean(result, object->changed);
    } else if (same_name(name, "Calls")) {
        answer_number(result, object->calls);
    } else if (same_name(name, "LiveObjects")) {
        answer_number(result, live_objects);
    } else if (same_name(name, "Value")) {
        answer_text(object, result, object->value, strlen(object->value));
    } else if (same_name(name, "Nothing")) {
        memset(result, 0, sizeof *result);
    } else {
        set_error(error, RMW_E_MEMBER_MISSING, NULL);
        return RMW_E_MEMBER_MISSING;
    }
    return RMW_OK;
}

static int32_t RMW_ADDIN_CALL register_server(const rmw_registry_access* registry,
                                              const char* library_path) {
    int32_t status = registry->set_text(registry->context, TEST_ADDIN_PROGID, NULL, TEST_ADDIN_NAME);
    if (status == 0) {
        status = registry->set_text(registry->context, TEST_ADDIN_PROGID "\\CLSID", NULL,
                                    TEST_ADDIN_CLSID);
    }
    if (status == 0) {
        status = registry->set_text(registry->context, "CLSID\\" TEST_ADDIN_CLSID "\\InprocServer32",
                                    NULL, library_path);
    }
    if (status == 0) {
        status = registry->set_text(registry->context, "CLSID\\" TEST_ADDIN_CLSID "\\ProgID", "",
                                    TEST_ADDIN_PROGID);
    }
    return status;
}

static int32_t RMW_ADDIN_CALL unregister_server(const rmw_registry_access* registry) {
    int32_t status = registry->delete_tree(registry->context, "CLSID\\" TEST_ADDIN_CLSID);
    if (status == 0) status = registry->delete_tree(registry->context, TEST_ADDIN_PROGID);
    return status;
}

static const rmw_addin_library library = {
#ifdef TEST_ADDIN_FUTURE
    2u,
#else
    RMW_ADDIN_INTERFACE_VERSION,
#endif
    sizeof(rmw_addin_library),
    TEST_ADDIN_NAME,
    "1.2.3",
    TEST_ADDIN_PROGID,
    create_object,
    release_object,
    invoke_method,
    get_property,
    register_server,
    unregister_server,
};

RMW_ADDIN_EXPORT const rmw_addin_library* RMW_ADDIN_CALL rmw_addin_entry(uint32_t host_version) {
    (void)host_version;
    return &library;
}
