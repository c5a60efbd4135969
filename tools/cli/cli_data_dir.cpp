#include "tools/cli/cli_data_dir.h"

#include <filesystem>
#include <system_error>

std::string FindCliDataDir(const std::string& argv0) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (error) self = fs::absolute(argv0, error);
  if (!error) {
    fs::path beside = self.parent_path();
    if (fs::exists(beside / "unihan.txt", error)) return beside.string();
  }
  return LOGODEX_CLI_BUILD_DATA_DIR;
}
