#!/usr/bin/python3
"""Writes a tiny speaker-embedding model for the tests.

The model looks at the lowest 14 of the 80 filter-bank energies per frame that the library
computes (about 20 to 300 Hz, where a voice's first harmonics lie) and keeps only how much each
band stands out from its two neighbours. The broad slope of the spectrum, which every voice
shares, cancels out; what is left is where the harmonics sit, so a low voice and a high one point
different ways whatever they say, while one voice saying different things points one way.
Frames count by how far their level rises above silence, so pauses and breaths don't blur it.
A fixed projection keeps the output small.

    make-embedding-model.py OUT [--no-metadata]
"""
import math
import random
import sys

import onnx
from onnx import TensorProto, helper

BINS = 80
LOW = 14
DIM = 32
# Log energies of silence sit near 0 and of speech near 15 to 20.
SILENCE = 8.0


def contrast():
    """Each inner band minus the mean of its two neighbours, as a LOW x (LOW - 2) matrix."""
    m = [[0.0] * (LOW - 2) for _ in range(LOW)]
    for band in range(1, LOW - 1):
        m[band][band - 1] = 1.0
        m[band - 1][band - 1] = -0.5
        m[band + 1][band - 1] = -0.5
    return [x for row in m for x in row]


def build(with_metadata):
    rng = random.Random(7)
    projection = [rng.gauss(0, 1) / math.sqrt(LOW - 2) for _ in range((LOW - 2) * DIM)]
    nodes = [
        helper.make_node("Slice", ["feats", "from", "to", "axis"], ["low"]),
        helper.make_node("ReduceMean", ["low"], ["level"], axes=[2], keepdims=1),
        helper.make_node("Sub", ["level", "silence"], ["above"]),
        helper.make_node("Relu", ["above"], ["weight"]),
        helper.make_node("Mul", ["low", "weight"], ["weighted"]),
        helper.make_node("ReduceSum", ["weighted", "time"], ["sum"], keepdims=0),
        helper.make_node("ReduceSum", ["weight", "time"], ["total"], keepdims=0),
        helper.make_node("Add", ["total", "tiny"], ["safe"]),
        helper.make_node("Div", ["sum", "safe"], ["spectrum"]),
        helper.make_node("MatMul", ["spectrum", "contrast"], ["peaks"]),
        helper.make_node("MatMul", ["peaks", "projection"], ["embs"]),
    ]
    graph = helper.make_graph(
        nodes,
        "voxmere-test-embedding",
        [helper.make_tensor_value_info("feats", TensorProto.FLOAT, ["N", "T", BINS])],
        [helper.make_tensor_value_info("embs", TensorProto.FLOAT, ["N", DIM])],
        [
            helper.make_tensor("from", TensorProto.INT64, [1], [0]),
            helper.make_tensor("to", TensorProto.INT64, [1], [LOW]),
            helper.make_tensor("axis", TensorProto.INT64, [1], [2]),
            helper.make_tensor("silence", TensorProto.FLOAT, [], [SILENCE]),
            helper.make_tensor("time", TensorProto.INT64, [1], [1]),
            helper.make_tensor("tiny", TensorProto.FLOAT, [], [1e-3]),
            helper.make_tensor("contrast", TensorProto.FLOAT, [LOW, LOW - 2], contrast()),
            helper.make_tensor("projection", TensorProto.FLOAT, [LOW - 2, DIM], projection),
        ],
    )
    model = helper.make_model(graph, opset_imports=[helper.make_opsetid("", 13)])
    model.ir_version = 8
    if with_metadata:
        for key, value in {
            "framework": "wespeaker",
            "output_dim": str(DIM),
            "sample_rate": "16000",
            "normalize_samples": "0",
            "language": "English",
            "url": "generated",
            "comment": "test model",
        }.items():
            entry = model.metadata_props.add()
            entry.key, entry.value = key, value
    onnx.checker.check_model(model)
    return model


if __name__ == "__main__":
    onnx.save(build("--no-metadata" not in sys.argv[2:]), sys.argv[1])
