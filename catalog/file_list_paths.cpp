#include "catalog/file_list_paths.h"

#include <algorithm>

#include "catalog/catalogue.h"
#include "catalog/file_list.h"

std::vector<std::string> ListStationTracePaths(const std::string& station) {
    CFileList files(theDatabase);
    files.SetFilter({{"sta", station}});
    files.Open();
    std::vector<std::string> paths;
    for (; !files.IsEOF(); files.MoveNext()) paths.push_back(files.m_CPATH);
    files.Close();
    std::sort(paths.begin(), paths.end());
    return paths;
}
