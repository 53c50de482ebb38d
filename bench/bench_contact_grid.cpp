#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "app/core/windows/main_view_looks.h"
#include "model/contact.h"
#include "model/contacts.h"
#include "model/resource.h"
#include "tests/support/planner_fixture.h"
#include "tests/support/recording_canvas.h"
#include "views/contacts/contact_grid.h"

// One on-screen paint of the contact grid on the recording canvas with the Contacts tab's look,
// 5,000 contacts with every card line filled (budget: well under 5 ms); only the cards of the
// visible columns are laid out. The baseline beside it is the same paint with no contacts
// (background, bars and border).
namespace {

class TContactGridBench {
 public:
  explicit TContactGridBench(int contacts) {
    Planner.CreateTables();
    Planner.Connect();
    Planner.AddActiveResource("KORET");
    Grid = std::make_unique<TVpContactGrid>(&Planner.Window);
    ConfigureMainContactGrid(*Grid);
    TVpContacts& list = Planner.Store().ActiveResource()->Contacts();
    list.BeginUpdate();
    for (int i = 0; i < contacts; ++i) {
      TVpContact* contact = list.AddContact(i + 1);
      contact->SetLastName("Name" + std::to_string(100000 + i * 7919 % 99991));
      contact->SetFirstName("Given");
      contact->SetCompany("Company of many people");
      contact->SetAddress("12 Long Street");
      contact->SetCity("Rivertown");
      contact->SetState("AB");
      contact->SetZip("12345");
      for (int k = 1; k <= 5; ++k) contact->SetPhone(k, "+1 555 0100 " + std::to_string(k));
      contact->SetEMail("given.name@example.org");
    }
    list.EndUpdate();
    Grid->SetDataStore(&Planner.Store());
    Grid->Resize(Client.Width(), Client.Height());
  }

  void Paint() {
    Canvas.Clear();
    Grid->Paint(Canvas, Client);
  }
  int Visible() const { return Grid->ScreenLayout().VisibleCount; }

 private:
  TPlannerFixture Planner;
  std::unique_ptr<TVpContactGrid> Grid;
  TRecordingCanvas Canvas;
  TRect Client = Rect(0, 0, 700, 480);
};

void PaintContactGrid(benchmark::State& state, int contacts) {
  TContactGridBench bench(contacts);
  for (auto _ : state) bench.Paint();
  state.counters["visible"] = bench.Visible();
}

void BM_Baseline_ContactGrid_Empty(benchmark::State& state) { PaintContactGrid(state, 0); }
void BM_ContactGrid_5000Contacts(benchmark::State& state) { PaintContactGrid(state, 5000); }

}  // namespace

BENCHMARK(BM_Baseline_ContactGrid_Empty)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ContactGrid_5000Contacts)->Unit(benchmark::kMicrosecond);
