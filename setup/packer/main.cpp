// rmwpack: makes a setup package from the setup program, the header fields, the three
// texts and the files of the archive.
//
//   rmwpack --program FILE --output FILE --title TEXT --inf NAME [--block-a TEXT]
//           [--info FILE] [--agreement FILE] [--keep-open 0|1] [--administrator 0|1]
//           [--remove-install-button 0|1] [--part-size BYTES] MEMBER=FILE...
// --part-size cuts the archive into pieces of BYTES: part 0 holds the program, the
// header, the texts and the first piece, each further part the next.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "setup/PackageWriter.h"
#include "setup/packer/ZipBuilder.h"

namespace {

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::uint8_t flag(const std::string& text) {
    if (text != "0" && text != "1") throw std::runtime_error("a flag is 0 or 1, not \"" + text + "\"");
    return text == "1" ? 1 : 0;
}

int pack(const std::vector<std::string>& args) {
    setup::PackageHeader header;
    std::string program, output;
    std::uint64_t partSize = 0;
    std::vector<std::pair<std::string, std::string>> members;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto next = [&]() -> const std::string& {
            if (++i == args.size()) throw std::runtime_error(arg + " needs a value");
            return args[i];
        };
        if (arg == "--program") program = next();
        else if (arg == "--output") output = next();
        else if (arg == "--title") header.title = next();
        else if (arg == "--inf") header.infName = "><" + next();
        else if (arg == "--block-a") header.blockA = next();
        else if (arg == "--info") header.infoText = readText(next());
        else if (arg == "--agreement") header.agreementText = readText(next());
        else if (arg == "--keep-open") header.keepOpen = flag(next());
        else if (arg == "--administrator") header.administratorRequired = flag(next());
        else if (arg == "--remove-install-button") header.removeInstallButton = flag(next());
        else if (arg == "--part-size") partSize = std::stoull(next());
        else if (arg.rfind("--", 0) == 0) throw std::runtime_error("unknown option " + arg);
        else if (arg.find('=') == std::string::npos) throw std::runtime_error("a member is NAME=FILE, not " + arg);
        else members.emplace_back(arg.substr(0, arg.find('=')), arg.substr(arg.find('=') + 1));
    }
    if (program.empty() || output.empty()) throw std::runtime_error("--program and --output are needed");
    const std::string archive = packer::buildZip(members, output + ".zip-tmp");
    for (const auto& file : setup::writePackage(program, header, archive, output, partSize))
        std::cout << "rmwpack: wrote " << file << " (" << std::filesystem::file_size(file) << " bytes)\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return pack({argv + 1, argv + argc});
    } catch (const std::exception& error) {
        std::cerr << "rmwpack: " << error.what() << "\n";
        return 1;
    }
}
