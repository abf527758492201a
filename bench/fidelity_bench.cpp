// How faithfully the drill keeps time on this toolkit, beside the toolkit's plain timer, idle and
// under load, and what it costs. Prints Markdown table rows and writes the same figures as CSV.
//
//   lettervonk_bench LABEL CSV_FILE
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/bare_timer.h"
#include "bench/busy_load.h"
#include "bench/process_stats.h"
#include "bench/step_recorder.h"
#include "bench/timing_summary.h"
#include "exercise/frm_werk.h"
#include "platform/controls.h"
#include "startup/forms.h"
#include "startup/module1.h"

namespace lv::bench {
namespace {

constexpr int kStepsPerSeries = 21;

struct Row {
  std::string timer;  // "drill" or "bare"
  int interval;
  bool loaded;
  TimingSummary timing;
  double rest_ms;    // drill only
  double cpu_share;  // idle only: CPU seconds per second of ticking
};

// Ticks from one step to the next, as the drill counts them.
int ticks_per_half(int interval) {
  int k = 1;
  while (1 + 10 * k <= interval / 2.0) ++k;
  return k;
}

// Idle, the cost is measured over several series where one is short: Wine counts a process's
// time in 10 ms steps, and a series at 200 ms lasts 2.1 s.
int series_to_cost(int interval, bool loaded) {
  constexpr double kCostedSeconds = 10;
  const double series_seconds = kStepsPerSeries * interval / 2000.0;
  return loaded ? 1 : std::max(1, static_cast<int>(std::ceil(kCostedSeconds / series_seconds)));
}

// The drill's timing is that of its first series; its cost that of all of them.
Row run_drill(int interval, bool loaded) {
  Row row{"drill", interval, loaded, {}, 0, 0};
  double cpu = 0;
  double pacing_s = 0;
  const int runs = series_to_cost(interval, loaded);
  for (int series = 0; series < runs; ++series) {
    reset_exercise_state(Module1);
    Module1.start_interval = interval;
    frm_werk& window = forms::werk();
    StepRecorder recorder(window);
    {
      BusyLoad load(loaded ? std::max(1u, std::thread::hardware_concurrency()) : 0,
                    std::chrono::seconds(60));
      window.window.show_modal();
    }
    const Recording& r = recorder.recording();
    forms::unload_all();
    if (series == 0) {
      row.timing = summarise(r.opened, r.steps, 10.0 * ticks_per_half(interval), r.pacing_ticks);
      row.rest_ms =
          std::chrono::duration<double, std::milli>(r.rest_ended - r.steps.back()).count();
    }
    cpu += r.cpu_at_rest - r.cpu_at_first_step;
    pacing_s += std::chrono::duration<double>(r.steps.back() - r.steps.front()).count();
  }
  row.cpu_share = loaded ? 0 : cpu / pacing_s;
  return row;
}

// As long as the drill's runs; the timing is that of the first series' worth of ticks.
Row run_bare(int interval, bool loaded) {
  const int k = ticks_per_half(interval);
  const long long series_ticks = static_cast<long long>(k) * kStepsPerSeries;
  BareTimerRun run;
  const double cpu_before = cpu_seconds();
  {
    BusyLoad load(loaded ? std::max(1u, std::thread::hardware_concurrency()) : 0,
                  std::chrono::seconds(60));
    run = run_bare_timer(series_ticks * series_to_cost(interval, loaded));
  }
  const double cpu = cpu_seconds() - cpu_before;
  // The steps a drill paced by this timer would have taken: every k-th tick.
  std::vector<Clock::time_point> steps;
  for (std::size_t i = static_cast<std::size_t>(k); i <= static_cast<std::size_t>(series_ticks);
       i += static_cast<std::size_t>(k)) {
    steps.push_back(run.ticks[i - 1]);
  }
  Row row{"bare", interval, loaded, {}, 0, 0};
  row.timing = summarise(run.started, steps, 10.0 * k, series_ticks);
  const double seconds = std::chrono::duration<double>(run.ticks.back() - run.started).count();
  row.cpu_share = loaded ? 0 : cpu / seconds;
  return row;
}

struct Startup {
  double ms;
  long long peak_kib;
};

// Median of five starts of a probe program, from just before it is launched until its first
// window is up; the probe writes the moment and its peak memory to a file.
Startup measure_startup(const std::string& program) {
  const std::string report = "lettervonk_startup_report.txt";
  std::vector<double> times;
  long long peak = 0;
  for (int i = 0; i < 5; ++i) {
    std::remove(report.c_str());
    const auto before =
        std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
            .count();
    const std::string command = "\"" + program + "\" " + report;
    if (std::system(command.c_str()) != 0) return {-1, -1};
    std::ifstream in(report);
    long long shown = 0;
    in >> shown >> peak;
    times.push_back(static_cast<double>(shown - before) / 1e6);
  }
  std::remove(report.c_str());
  return {percentile(times, 0.5), peak};
}

std::string directory_of(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

}  // namespace
}  // namespace lv::bench

int main(int argc, char** argv) {
  using namespace lv::bench;
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s LABEL CSV_FILE\n", argv[0]);
    return 2;
  }
  const std::string label = argv[1];
  std::ofstream csv(argv[2]);
  lv::ui::Toolkit toolkit(argc, argv);

  std::vector<Row> rows;
  for (bool loaded : {false, true}) {
    for (int interval : {2000, 200}) {
      rows.push_back(run_drill(interval, loaded));
      rows.push_back(run_bare(interval, loaded));
    }
  }

  csv << "build,timer,interval_ms,load,half_ratio_mean,half_ratio_worst,late_p50_ms,late_p99_ms,"
         "late_max_ms,ticks_delivered,ticks_expected,rest_ms,cpu_percent_of_core\n";
  for (const Row& r : rows) {
    const TimingSummary& t = r.timing;
    csv << label << ',' << r.timer << ',' << r.interval << ',' << (r.loaded ? "full" : "idle")
        << ',' << fixed(t.half_ratio_mean, 5) << ',' << fixed(t.half_ratio_worst, 5) << ','
        << fixed(t.late_p50_ms, 2) << ',' << fixed(t.late_p99_ms, 2) << ','
        << fixed(t.late_max_ms, 2) << ',' << t.ticks_delivered << ',' << fixed(t.ticks_expected, 1)
        << ',' << (r.timer == "drill" ? fixed(r.rest_ms, 1) : "") << ','
        << (r.loaded ? "" : fixed(100 * r.cpu_share, 3)) << '\n';
    std::printf("| %s | %s | %d | %s | %s | %s | %s / %s / %s | %lld / %s | %s | %s |\n",
                label.c_str(), r.timer == "drill" ? "drill" : "plain timer", r.interval,
                r.loaded ? "full" : "idle", fixed(t.half_ratio_mean, 4).c_str(),
                fixed(t.half_ratio_worst, 4).c_str(), fixed(t.late_p50_ms, 2).c_str(),
                fixed(t.late_p99_ms, 2).c_str(), fixed(t.late_max_ms, 2).c_str(), t.ticks_delivered,
                fixed(t.ticks_expected, 0).c_str(),
                r.timer == "drill" ? fixed(r.rest_ms, 1).c_str() : "",
                r.loaded ? "" : (fixed(100 * r.cpu_share, 3) + " %").c_str());
    std::fflush(stdout);
  }

  const std::string here = lv::bench::directory_of(argv[0]);
  const Startup drill = measure_startup(here + "/lettervonk_startup_probe");
  const Startup bare = measure_startup(here + "/bare_window_probe");
  std::printf(
      "\nStart-up, %s: settings window up after %.1f ms (bare window: %.1f ms); "
      "peak memory %lld KiB (bare window: %lld KiB)\n",
      label.c_str(), drill.ms, bare.ms, drill.peak_kib, bare.peak_kib);
  csv << "\nbuild,program,startup_ms,peak_memory_kib\n"
      << label << ",lettervonk," << fixed(drill.ms, 1) << ',' << drill.peak_kib << '\n'
      << label << ",bare window," << fixed(bare.ms, 1) << ',' << bare.peak_kib << '\n';
  return 0;
}
