#include "store/job_loops.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/text.h"

namespace qlr {
namespace {

// Every RunAfter entry refers to all jobs of that name, so whether a chase
// from a job comes back to it depends only on names: we work on the graph
// whose nodes are the distinct job names (trimmed, upper-cased) and whose
// edges run from a job's name to the name of each job it waits for.
//
// Following entry k of job i (named T, entry naming E) leads back to a job
// that waits for T exactly when E names some job and there is a path of at
// least one edge from E to T. Since job i itself gives the edge T -> E, that
// is the same as E and T lying in one strongly connected component (a job
// waiting for its own name is the edge T -> T, a component by itself).
struct NameGraph {
  std::vector<int> job_node;  // node of each job, index 1..N (0 unused)
  // Job i's entries are entry_node[entry_begin[i]] up to entry_node[entry_begin[i + 1]].
  std::vector<int> entry_begin;
  std::vector<int> entry_node;  // node an entry names, -1 when no job has that name
  std::vector<int> edge_begin;  // CSR adjacency of the nodes
  std::vector<int> edge_target;
  int nodes = 0;
};

std::string NameKey(std::string_view name) { return Upper(TrimView(name)); }

void NumberNames(const Schedule& schedule, NameGraph& g,
                 std::unordered_map<std::string, int>& node_of) {
  const int n = schedule.JobCount();
  g.job_node.assign(n + 1, -1);
  node_of.reserve(n * 2);
  for (int i = 1; i <= n; ++i) {
    auto [it, added] = node_of.try_emplace(NameKey(schedule[i].JobName.Trimmed()), g.nodes);
    if (added) ++g.nodes;
    g.job_node[i] = it->second;
  }
}

void ResolveEntries(const Schedule& schedule, NameGraph& g,
                    const std::unordered_map<std::string, int>& node_of) {
  const int n = schedule.JobCount();
  g.entry_begin.assign(n + 2, 0);
  for (int i = 1; i <= n; ++i) {
    g.entry_begin[i] = static_cast<int>(g.entry_node.size());
    for (const std::string& entry : schedule[i].RunAfter) {
      auto it = node_of.find(NameKey(entry));
      g.entry_node.push_back(it == node_of.end() ? -1 : it->second);
    }
  }
  g.entry_begin[n + 1] = static_cast<int>(g.entry_node.size());
}

// Counting sort of the (job name -> entry name) links into adjacency lists.
void BuildEdges(const Schedule& schedule, NameGraph& g) {
  const int n = schedule.JobCount();
  g.edge_begin.assign(g.nodes + 1, 0);
  auto for_each_link = [&](auto&& visit) {
    for (int i = 1; i <= n; ++i)
      for (int e = g.entry_begin[i]; e < g.entry_begin[i + 1]; ++e)
        if (g.entry_node[e] >= 0) visit(g.job_node[i], g.entry_node[e]);
  };
  for_each_link([&](int from, int) { ++g.edge_begin[from + 1]; });
  for (size_t v = 1; v < g.edge_begin.size(); ++v) g.edge_begin[v] += g.edge_begin[v - 1];
  g.edge_target.resize(g.edge_begin.back());
  std::vector<int> fill(g.edge_begin.begin(), g.edge_begin.end() - 1);
  for_each_link([&](int from, int to) { g.edge_target[fill[from]++] = to; });
}

NameGraph BuildNameGraph(const Schedule& schedule) {
  NameGraph g;
  std::unordered_map<std::string, int> node_of;
  NumberNames(schedule, g, node_of);
  ResolveEntries(schedule, g, node_of);
  BuildEdges(schedule, g);
  return g;
}

// Tarjan's strongly connected components without recursion, so that a chain
// of 32767 jobs cannot exhaust the stack. Returns the component of each node.
class ComponentFinder {
 public:
  explicit ComponentFinder(const NameGraph& g)
      : g_(g),
        index_(g.nodes, -1),
        low_(g.nodes, 0),
        on_stack_(g.nodes, false),
        component_(g.nodes, -1) {}

  std::vector<int> Run() {
    for (int v = 0; v < g_.nodes; ++v)
      if (index_[v] < 0) Visit(v);
    return std::move(component_);
  }

 private:
  struct Frame {
    int node;
    int next_edge;
  };

  void Open(int v) {
    index_[v] = low_[v] = counter_++;
    stack_.push_back(v);
    on_stack_[v] = true;
    calls_.push_back({v, g_.edge_begin[v]});
  }

  void Visit(int root) {
    Open(root);
    while (!calls_.empty()) {
      Frame& f = calls_.back();
      const int v = f.node;
      if (f.next_edge < g_.edge_begin[v + 1]) {
        const int w = g_.edge_target[f.next_edge++];
        if (index_[w] < 0)
          Open(w);  // invalidates f
        else if (on_stack_[w])
          low_[v] = std::min(low_[v], index_[w]);
        continue;
      }
      Close(v);
    }
  }

  // The call for v returns: its low link passes to its caller, and a node
  // that is its own root pops its component off the stack.
  void Close(int v) {
    calls_.pop_back();
    if (!calls_.empty()) {
      const int parent = calls_.back().node;
      low_[parent] = std::min(low_[parent], low_[v]);
    }
    if (low_[v] != index_[v]) return;
    int w;
    do {
      w = stack_.back();
      stack_.pop_back();
      on_stack_[w] = false;
      component_[w] = components_;
    } while (w != v);
    ++components_;
  }

  const NameGraph& g_;
  std::vector<int> index_, low_;
  std::vector<bool> on_stack_;
  std::vector<int> component_;
  std::vector<int> stack_;
  std::vector<Frame> calls_;
  int counter_ = 0;
  int components_ = 0;
};

}  // namespace

bool JobLoops(const Schedule& schedule, RunLog& log) {
  const NameGraph g = BuildNameGraph(schedule);
  const std::vector<int> component = ComponentFinder(g).Run();
  for (int i = 1; i <= schedule.JobCount(); ++i) {
    const int own = component[g.job_node[i]];
    const int first = g.entry_begin[i];
    for (int e = first; e < g.entry_begin[i + 1]; ++e) {
      const int target = g.entry_node[e];
      if (target < 0 || component[target] != own) continue;
      const std::string& entry = schedule[i].RunAfter[e - first];
      log.LogWrite("Circular dependencies involving jobs " + schedule[i].JobName.Str() + " and " +
                   Trim(entry));
      return true;
    }
  }
  return false;
}

}  // namespace qlr
