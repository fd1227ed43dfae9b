#include "archive/trace_writer.h"

#include "catalog/file_list.h"

engine::TraceFileRow WriteChannelTrace(catalog::OdbcConnection& database,
                                       engine::TraceFileBatch& batch, std::size_t i) {
    const engine::TraceFileRow row = batch.Finish(i);
    if (row.keptExisting) return row;
    // Only a complete file on disk gets its row; a catalogue error passes on.
    RegisterTraceFile(database, row.station, row.start, row.duration, row.channel, row.rate,
                      row.gain, row.catalogPath);
    return row;
}
