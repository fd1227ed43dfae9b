#include "catalog/file_list_paths.h"

#include <algorithm>

#include "catalog/file_list.h"

std::vector<std::string> ListStationTracePaths(catalog::OdbcConnection& database,
                                               const std::string& station) {
    CFileList files(database);
    files.SetFilter({{"sta", station}});
    files.Open();
    std::vector<std::string> paths;
    for (; !files.IsEOF(); files.MoveNext()) paths.push_back(files.m_CPATH);
    files.Close();
    std::sort(paths.begin(), paths.end());
    return paths;
}
