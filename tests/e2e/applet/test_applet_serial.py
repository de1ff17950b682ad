import harness
