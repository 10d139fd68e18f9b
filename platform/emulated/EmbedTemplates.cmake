# Writes OUTPUT, a C++ source that holds every file below TEMPLATE_DIR byte for byte:
# each first-level folder is one machine template (machine.ini, registry.reg, drive_c/).
# Run by the build whenever a template file changes.

file(GLOB_RECURSE files RELATIVE "${TEMPLATE_DIR}" "${TEMPLATE_DIR}/*/*")
list(SORT files)

set(arrays "")
set(entries "")
set(index 0)
foreach(file IN LISTS files)
  string(FIND "${file}" "/" slash)
  string(SUBSTRING "${file}" 0 ${slash} template)
  math(EXPR rest "${slash} + 1")
  string(SUBSTRING "${file}" ${rest} -1 relative)
  file(READ "${TEMPLATE_DIR}/${file}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  string(REPLACE "\\" "\\\\" relative "${relative}")
  string(REPLACE "\"" "\\\"" relative "${relative}")
  string(APPEND arrays "const unsigned char file${index}[] = {\n${bytes}0};\n")
  string(APPEND entries "        {\"${template}\", \"${relative}\", view(file${index}, ${size})},\n")
  math(EXPR index "${index} + 1")
endforeach()

file(WRITE "${OUTPUT}" "// Generated from platform/templates by EmbedTemplates.cmake; do not edit.
#include \"platform/emulated/TemplateFiles.h\"

namespace platform::emulated {
namespace {

std::string_view view(const unsigned char* bytes, std::size_t size) {
    return {reinterpret_cast<const char*>(bytes), size};
}

${arrays}
}  // namespace

const std::vector<TemplateFile>& templateFiles() {
    static const std::vector<TemplateFile> files = {
${entries}    };
    return files;
}

}  // namespace platform::emulated
")
