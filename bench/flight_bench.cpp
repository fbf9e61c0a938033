// The cost of one fixed step of each flight model, cruising with the engine at full power.
//
//   build/bench/flight_bench
#include <benchmark/benchmark.h>

#include "aircraft/FlightModel.h"
#include "aircraft/FlightState.h"
#include "aircraft/WorldState.h"
#include "aircraft/RealFlight.h"

namespace {

// In the air at 1000 units, level at 50 units a second, full power, a little back pressure.
void cruising()
{
    init_Model();
    world_y = 1000;
    reset_real_flight();
    body.velocity[2] = 50;
    body.on_ground = 0;
    throttle = 1005;
    angle_elevator = 2.5f;
}

void BM_SimpleStep(benchmark::State& state)
{
    cruising();
    for (auto _ : state) plane_idle();
    benchmark::DoNotOptimize(world_z);
}
BENCHMARK(BM_SimpleStep);

void BM_RealStep(benchmark::State& state)
{
    cruising();
    for (auto _ : state) {
        real_plane_idle();
        if (world_y < 500) cruising();  // a long run would otherwise end on the ground
    }
    benchmark::DoNotOptimize(world_z);
}
BENCHMARK(BM_RealStep);

}  // namespace

BENCHMARK_MAIN();
