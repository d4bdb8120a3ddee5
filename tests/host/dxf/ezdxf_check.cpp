// Fixture drawings from ezdxf and checks of our files through ezdxf.
#include "ezdxf_check.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "text/encoding.h"

namespace vxtest {

std::string tempDir(const std::string& name) {
    std::string d = std::string(VX_BINARY_DIR) + "/test-tmp/" + name + "-" + std::to_string(::getpid());
    std::filesystem::remove_all(d);
    std::filesystem::create_directories(d);
    return d;
}

int runPython(const std::string& script, std::string& out) {
    static int n = 0;
    std::string path = tempDir("py") + "/s" + std::to_string(++n) + ".py";
    writeFile(path, script);
    FILE* p = ::popen(("/usr/bin/python3 " + path + " 2>&1").c_str(), "r");
    if (!p) return -1;
    char buf[4096];
    out.clear();
    size_t k;
    while ((k = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, k);
    return ::pclose(p);
}

bool writeFixture(const std::string& version, const std::string& path, bool gbk) {
    std::string py = R"PY(
import ezdxf
ver, out, gbk = %VER%, %OUT%, %GBK%
doc = ezdxf.new(ver)
if gbk:
    doc.encoding = 'gbk'
msp = doc.modelspace()
doc.layers.add('C-TK', color=7)
doc.appids.new('VXTEST')
msp.add_line((0, 0), (10, 5), dxfattribs={'layer': 'C-TK'})
msp.add_circle((5, 5), 3)
msp.add_arc((0, 0), 2, 10, 80)
msp.add_text('中文标题 ABC', dxfattribs={'height': 2.5}).set_placement((1, 1))
if ver != 'R12':
    msp.add_lwpolyline([(0, 0, 0, 0, 0.5), (10, 0), (10, 10)], format='xyseb')
    msp.add_mtext('多行\\P文字' + '长' * 300)
    msp.add_ellipse((0, 0), (5, 0, 0), 0.5)
blk = doc.blocks.new('TK-A1')
blk.add_line((0, 0), (841, 594))
blk.add_attdef('图号', (10, 10), dxfattribs={'height': 5})
blk.add_attdef('图名', (10, 20), dxfattribs={'height': 5})
ref = msp.add_blockref('TK-A1', (100, 100), dxfattribs={'layer': 'C-TK'})
ref.add_auto_attribs({'图号': '建施-01', '图名': '首层平面图'})
line = msp.add_line((1, 1), (2, 2))
line.set_xdata('VXTEST', [(1000, '扩展数据'), (1040, 3.5)])
doc.saveas(out)
if ver != 'R12':
    # An entity type no reader knows, with its own subclass and text.
    enc = 'gbk' if gbk else 'utf-8'
    raw = open(out, 'rb').read().decode(enc)
    seed = int(doc.header.get('$HANDSEED', '0'), 16)
    owner = msp.block_record_handle
    custom = ('  0\nVXCUSTOM\n  5\n%X\n330\n%s\n100\nAcDbEntity\n  8\n0\n100\nVxCustom\n  1\n自定义\n 40\n1.25\n' % (seed, owner))
    i = raw.index('  0\nENDSEC\n', raw.index('ENTITIES'))
    raw = raw[:i] + custom + raw[i:]
    raw = raw.replace('$HANDSEED\n  5\n%X\n' % seed, '$HANDSEED\n  5\n%X\n' % (seed + 1))
    open(out, 'wb').write(raw.encode(enc))
print('ok')
)PY";
    auto rep = [&](const std::string& k, const std::string& v) { py.replace(py.find(k), k.size(), v); };
    rep("%VER%", "'" + version + "'");
    rep("%OUT%", "'" + path + "'");
    rep("%GBK%", gbk ? "True" : "False");
    std::string out;
    return runPython(py, out) == 0 && out.find("ok") != std::string::npos;
}

std::map<std::string, std::string> inspect(const std::string& path, const std::map<std::string, std::string>& extra) {
    std::string py = R"PY(
import ezdxf, re
path = %PATH%
def dec(s):
    return re.sub(r'\\[Uu]\+([0-9A-Fa-f]{4})', lambda m: chr(int(m.group(1), 16)), s)
doc = ezdxf.readfile(path)
msp = doc.modelspace()
auditor = doc.audit()
print('audit_errors=%d' % len(auditor.errors))
for e in auditor.errors:
    print('audit_message=' + str(e.message))
# Raw pairs: every handle unique and below $HANDSEED, every pointer resolves.
enc = doc.encoding
lines = open(path, 'rb').read().decode(enc, errors='replace').splitlines()
pairs = [(int(lines[i]), lines[i + 1]) for i in range(0, len(lines) - 1, 2)]
handles, pointers, section, seed, rtype = [], [], None, int(doc.header.get('$HANDSEED', '0'), 16), ''
for k, (c, v) in enumerate(pairs):
    if c == 0:
        rtype = v
    if c == 2 and k > 0 and pairs[k - 1] == (0, 'SECTION'):
        section = v
    if section == 'HEADER':
        continue
    if c == 105 or (c == 5 and rtype != 'DIMSTYLE'):
        handles.append(int(v, 16))
    elif (330 <= c <= 369 or 390 <= c <= 399 or 480 <= c <= 481 or c == 1005) and v.strip() not in ('0', ''):
        pointers.append(int(v, 16))
print('dup_handles=%d' % (len(handles) - len(set(handles))))
print('seed_low=%d' % sum(1 for h in handles if h >= seed))
hs = set(handles)
print('dangling=%d' % sum(1 for p in pointers if p not in hs))
for key, expr in %EXTRA%.items():
    print('%s=%s' % (key, eval(expr)))
)PY";
    std::string extras = "{";
    for (auto& kv : extra) extras += "'" + kv.first + "': \"\"\"" + kv.second + "\"\"\",";
    extras += "}";
    auto rep = [&](const std::string& k, const std::string& v) { py.replace(py.find(k), k.size(), v); };
    rep("%PATH%", "'" + path + "'");
    rep("%EXTRA%", extras);
    std::string out;
    std::map<std::string, std::string> r;
    if (runPython(py, out) != 0) {
        r["python_error"] = out;
        return r;
    }
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string key = line.substr(0, eq);
        if (r.count(key)) r[key] += "\n" + line.substr(eq + 1);
        else r[key] = line.substr(eq + 1);
    }
    return r;
}

std::string readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary);
    f << bytes;
}

std::wstring wide(const std::string& s) { return vx::text::fromUtf8(s); }

}  // namespace vxtest
