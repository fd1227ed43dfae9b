#include "cli/worker_outputs.h"

#include <utility>

#include "catalog/catalogue.h"
#include "platform/message_sink.h"

namespace cli {
namespace {

// A worker's outputs on its connection, which it closes when the worker is done.
class WorkerOutputs final : public engine::RecordingOutputs {
public:
    WorkerOutputs(catalog::OdbcConnection& database, std::unique_ptr<catalog::OdbcConnection> own,
                  bool dryRun)
        : own_(std::move(own)),
          written_(database),
          planned_(database),
          outputs_(dryRun ? static_cast<engine::RecordingOutputs&>(planned_) : written_) {}
    ~WorkerOutputs() override {
        if (own_) own_->Close();
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
    engine::CatalogueOutputs written_;
    engine::PlanOnCatalogue planned_;
    engine::RecordingOutputs& outputs_;
};

}  // namespace

engine::MakeOutputs CatalogueWorkers(catalog::OdbcConnection& database,
                                     std::optional<catalog::CatalogueLogin> login, bool dryRun) {
    return [&database, login = std::move(login), dryRun](
               int worker,
               engine::RunObserver& observer) -> std::unique_ptr<engine::RecordingOutputs> {
        if (worker == 0) return std::make_unique<WorkerOutputs>(database, nullptr, dryRun);
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
        return std::make_unique<WorkerOutputs>(connection, std::move(own), dryRun);
    };
}

}  // namespace cli
