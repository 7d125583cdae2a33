// Benchmark programs that keep one demo main window for all their benchmarks.
#pragma once

#include "base/dialogs/KvMsgBox.h"
#include "bench/common/BenchEnv.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/FrmMsgDisclaimer.h"

#include <QTemporaryDir>
#include <memory>

namespace benchenv {

// The program's main: the start-up questions answered without a user, and the kept window
// and its data freed after the last benchmark, while the application still exists (freed by
// static storage they would outlive it and crash the exit).
inline int RunMainWindowBenchmarks(int argc, char **argv, std::unique_ptr<TFormMarivo6Main> &window,
                                   std::unique_ptr<QTemporaryDir> &data) {
    return RunBenchmarks(
        argc, argv,
        [] {
            TFormMsgDisclaimer::SetPrompter([](TFormMsgDisclaimer &) { return int(QDialog::Accepted); });
            SetMsgBoxPrompter([](TMessageForm &) { return int(mrNo); });
        },
        [&] {
            window.reset();
            data.reset();
        });
}

}  // namespace benchenv
