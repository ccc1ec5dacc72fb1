#!/usr/bin/python3
"""Writes a tiny speaker-embedding model for the tests.

The model takes the lowest 12 of the 80 filter-bank energies per frame that the library computes
(where the voice's fundamental lies), averages them over time and takes away their mean level,
so what is left is where the voice's pitch sits: a low voice and a high one point different
ways, whatever they say. A fixed projection keeps the output small.

    make-embedding-model.py OUT [--no-metadata]
"""
import math
import random
import sys

import onnx
from onnx import TensorProto, helper

BINS = 80
LOW = 12
DIM = 32


def build(with_metadata):
    rng = random.Random(7)
    projection = [rng.gauss(0, 1) / math.sqrt(LOW) for _ in range(LOW * DIM)]
    nodes = [
        helper.make_node("Slice", ["feats", "from", "to", "axis"], ["low"]),
        helper.make_node("ReduceMean", ["low"], ["spectrum"], axes=[1], keepdims=0),
        helper.make_node("ReduceMean", ["spectrum"], ["level"], axes=[1], keepdims=1),
        helper.make_node("Sub", ["spectrum", "level"], ["shape"]),
        helper.make_node("MatMul", ["shape", "projection"], ["embs"]),
    ]
    graph = helper.make_graph(
        nodes,
        "voxmere-test-embedding",
        [helper.make_tensor_value_info("feats", TensorProto.FLOAT, ["N", "T", BINS])],
        [helper.make_tensor_value_info("embs", TensorProto.FLOAT, ["N", DIM])],
        [
            helper.make_tensor("projection", TensorProto.FLOAT, [LOW, DIM], projection),
            helper.make_tensor("from", TensorProto.INT64, [1], [0]),
            helper.make_tensor("to", TensorProto.INT64, [1], [LOW]),
            helper.make_tensor("axis", TensorProto.INT64, [1], [2]),
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
