// VXBP on the big drawing of bench/db: every one of its 400 frames plotted to a PDF file of its
// own, through vxhost and the module as a user's batch plot runs (all frames, all ticked, "打印勾选").
// Target: the plot of the 400 frames in under 25 s on 2 cores. The time of loading the drawing
// and the module is measured apart and taken off.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "big_drawing.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr double kTargetSeconds = 25;

fs::path scratch() { return fs::temp_directory_path() / "vx-bench-batchplot"; }
fs::path outFolder() { return scratch() / "out"; }

// A module folder of its own (with the plotters the module installs) and a profile of its own.
void prepareScratch() {
    fs::remove_all(scratch());
    fs::create_directories(scratch() / "module");
    fs::create_directories(outFolder());
    const fs::path module = VX_MODULE_PATH;
    fs::copy_file(module, scratch() / "module" / module.filename());
    fs::copy(module.parent_path() / "plotters", scratch() / "module" / "plotters", fs::copy_options::recursive);
    std::ofstream(scratch() / "module" / "SHEETCONFIG.INI") << "[SYSEMSET]\n";
}

void writeScript(const fs::path& path, bool plot) {
    std::ofstream s(path);
    if (plot) {
        s << "VXBP\nchoose 140 \"DWG TO PDF.pc3\"\nchoose 142 \"monochrome.ctb\"\nclick 149\n" << outFolder().string()
          << "\nclick 154\nclick 192\nclick 158\nclose\n";
    }
    s << "QUIT\n";
}

struct Run {
    double wallSeconds = 0;
    double cpuSeconds = 0;
    int status = -1;
};

// vxhost with the script on the big drawing; its transcript goes to a file.
Run runHost(const fs::path& script) {
    const std::string home = scratch().string();
    std::vector<std::string> env = {"HOME=" + home, "XDG_CONFIG_HOME=" + home + "/config",
                                    "XDG_DATA_HOME=" + home + "/data", "XDG_CACHE_HOME=" + home + "/cache",
                                    "VX_PRINTERS=off", "VX_UPDATE_SERVICE="};
    for (char** e = environ; *e; ++e) {
        const std::string v = *e;
        if (v.rfind("PATH=", 0) == 0 || v.rfind("ASAN_OPTIONS=", 0) == 0 || v.rfind("LSAN_OPTIONS=", 0) == 0)
            env.push_back(v);
    }
    std::vector<std::string> args = {VXHOST_PATH, vxbench::bigDrawingPath(), "--script", script.string(),
                                     "--module", (scratch() / "module" / fs::path(VX_MODULE_PATH).filename()).string()};
    std::vector<char*> argv, envp;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string log = (scratch() / (script.stem().string() + ".log")).string();
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    Run run;
    rusage before{}, after{};
    ::getrusage(RUSAGE_CHILDREN, &before);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) ::waitpid(pid, &run.status, 0);
    run.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ::getrusage(RUSAGE_CHILDREN, &after);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    run.cpuSeconds = seconds(after.ru_utime) - seconds(before.ru_utime) + seconds(after.ru_stime) - seconds(before.ru_stime);
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

int pdfFiles() {
    int n = 0;
    for (const auto& e : fs::directory_iterator(outFolder())) n += e.path().extension() == ".pdf" ? 1 : 0;
    return n;
}

void BM_BatchPlotAllFramesToPdf(benchmark::State& state) {
    vxbench::ensureBigDrawing();
    prepareScratch();
    writeScript(scratch() / "load_only.scr", false);
    writeScript(scratch() / "plot_all.scr", true);
    // The first run installs the drivers into the profile, as the first load of a user would.
    const Run load = runHost(scratch() / "load_only.scr");
    for (auto _ : state) {
        fs::remove_all(outFolder());
        fs::create_directories(outFolder());
        const Run plot = runHost(scratch() / "plot_all.scr");
        if (plot.status != 0) state.SkipWithError("vxhost failed; see plot_all.log in the scratch folder");
        const double plotSeconds = plot.wallSeconds - load.wallSeconds;
        state.SetIterationTime(plotSeconds);
        state.counters["files"] = pdfFiles();
        state.counters["load_s"] = load.wallSeconds;
        state.counters["plot_s"] = plotSeconds;
        state.counters["ms_per_frame"] = 1000 * plotSeconds / vxbench::kFrames;
        state.counters["cpu_ms_per_frame"] = 1000 * (plot.cpuSeconds - load.cpuSeconds) / vxbench::kFrames;
        std::printf("VXBP, %d frames to PDF: %d files, %.1f s (target %.0f s) = %.1f ms per frame (%.1f ms CPU); "
                    "load and unload apart: %.1f s\n",
                    vxbench::kFrames, pdfFiles(), plotSeconds, kTargetSeconds,
                    1000 * plotSeconds / vxbench::kFrames,
                    1000 * (plot.cpuSeconds - load.cpuSeconds) / vxbench::kFrames, load.wallSeconds);
    }
}

BENCHMARK(BM_BatchPlotAllFramesToPdf)->Unit(benchmark::kSecond)->UseManualTime()->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::printf("target: VXBP plots the %d frames of the big drawing to PDF in under %.0f s on 2 cores\n",
                vxbench::kFrames, kTargetSeconds);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
