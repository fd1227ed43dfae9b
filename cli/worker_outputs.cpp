#include "cli/worker_outputs.h"

#include <utility>

#include "catalog/catalogue.h"
#include "catalog/database_error.h"
#include "catalog/odbc_statement.h"
#include "platform/message_sink.h"

namespace cli {
namespace {

// A worker's outputs on its connection, which it closes (or leaves to be
// kept) when the worker is done.
class WorkerOutputs final : public engine::RecordingOutputs {
public:
    WorkerOutputs(catalog::OdbcConnection& database, std::unique_ptr<catalog::OdbcConnection> own,
                  bool dryRun, KeptConnections* kept)
        : own_(std::move(own)),
          kept_(kept),
          written_(database),
          planned_(database),
          outputs_(dryRun ? static_cast<engine::RecordingOutputs&>(planned_) : written_) {}
    ~WorkerOutputs() override {
        if (own_ && kept_)
            kept_->Give(std::move(own_));
        else if (own_)
            own_->Close();
    }

    void RegisterEvent(const std::string& station, double eventStart) override {
        outputs_.RegisterEvent(station, eventStart);
    }
    std::unique_ptr<engine::RecordingTraces> WriteTraces(
        const engine::DataBlock& block, const std::vector<engine::ChannelTrace>& traces,
        const std::function<bool()>& stop) override {
        return outputs_.WriteTraces(block, traces, stop);
    }
    catalog::OdbcConnection* Catalogue() override { return outputs_.Catalogue(); }
    bool WritesNothing() const override { return outputs_.WritesNothing(); }

private:
    std::unique_ptr<catalog::OdbcConnection> own_;
    KeptConnections* kept_;
    engine::CatalogueOutputs written_;
    engine::PlanOnCatalogue planned_;
    engine::RecordingOutputs& outputs_;
};

}  // namespace

std::unique_ptr<catalog::OdbcConnection> KeptConnections::Take() {
    for (;;) {
        std::unique_ptr<catalog::OdbcConnection> connection;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            if (idle_.empty()) return nullptr;
            connection = std::move(idle_.back());
            idle_.pop_back();
        }
        // One round trip, against a login's several: a connection the server
        // dropped while it waited would fail the first recording of the run.
        try {
            catalog::OdbcStatement probe(*connection);
            probe.Execute("SELECT 1");
            while (probe.Fetch()) {
            }
            return connection;
        } catch (const catalog::DatabaseError&) {
            connection->Close();
        }
    }
}

void KeptConnections::Give(std::unique_ptr<catalog::OdbcConnection> connection) {
    if (!connection || !connection->IsOpen()) return;
    const std::lock_guard<std::mutex> lock(mutex_);
    idle_.push_back(std::move(connection));
}

void KeptConnections::CloseAll() {
    std::vector<std::unique_ptr<catalog::OdbcConnection>> closing;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        closing.swap(idle_);
    }
    for (const auto& connection : closing) connection->Close();
}

engine::MakeOutputs CatalogueWorkers(catalog::OdbcConnection& database,
                                     std::optional<catalog::CatalogueLogin> login, bool dryRun,
                                     KeptConnections* kept) {
    return [&database, login = std::move(login), dryRun, kept](
               int worker,
               engine::RunObserver& observer) -> std::unique_ptr<engine::RecordingOutputs> {
        if (worker == 0) return std::make_unique<WorkerOutputs>(database, nullptr, dryRun, nullptr);
        if (kept)
            if (std::unique_ptr<catalog::OdbcConnection> own = kept->Take()) {
                catalog::OdbcConnection& connection = *own;
                return std::make_unique<WorkerOutputs>(connection, std::move(own), dryRun, kept);
            }
        // A refusal reaches the operator as the run's messages do.
        platform::MessageSinkFunction messages([&observer](const std::string& text,
                                                           const std::string& caption,
                                                           platform::MessageIcon icon) {
            observer.ShowMessage({text, "", caption, icon});
        });
        auto own = std::make_unique<catalog::OdbcConnection>();
        const int opened =
            login ? OpenCatalogue(*own, messages, *login) : OpenCatalogue(*own, messages);
        if (!opened) return nullptr;
        catalog::OdbcConnection& connection = *own;
        return std::make_unique<WorkerOutputs>(connection, std::move(own), dryRun, kept);
    };
}

}  // namespace cli
