import json
nodes = {1:(4.00,52.00),2:(4.03,52.00),3:(4.06,52.00),4:(4.10,52.00),5:(4.10,52.10),6:(4.06,52.10),7:(4.03,52.10),8:(4.00,52.10)}
edges = {10:(1,2),11:(2,7),12:(7,8),13:(8,1),14:(2,3),15:(3,6),16:(6,7),17:(3,4),18:(4,5),19:(5,6)}
def fc(feats): return {"type":"FeatureCollection","features":feats}
def w(name, feats): json.dump(fc(feats), open(name+".geojson","w"), indent=1)
w("ConnectedNode", [{"type":"Feature","properties":{"RCNM":120,"RCID":i},"geometry":{"type":"Point","coordinates":list(p)}} for i,p in nodes.items()])
ef=[]
for i,(a,b) in edges.items():
    ef.append({"type":"Feature","properties":{"RCNM":130,"RCID":i,
      "NAME_RCNM_0":120,"NAME_RCID_0":a,"ORNT_0":255,"USAG_0":255,"TOPI_0":1,"MASK_0":255,
      "NAME_RCNM_1":120,"NAME_RCID_1":b,"ORNT_1":255,"USAG_1":255,"TOPI_1":2,"MASK_1":255},"geometry":None})
w("Edge", ef)
iso = [(110,1,{"type":"MultiPoint","coordinates":[[4.015,52.05,25.3],[4.045,52.05,3.4]]}),
       (110,2,{"type":"Point","coordinates":[4.02,52.02]}),
       (110,3,{"type":"Point","coordinates":[4.09,52.09]})]
w("IsolatedNode", [{"type":"Feature","properties":{"RCNM":r,"RCID":i},"geometry":g} for r,i,g in iso])
fid=[100]
def feat(prim, refs, props):
    fid[0]+=1
    p={"PRIM":prim,"GRUP":1 if prim==3 else 2,"AGEN":540,"FIDN":fid[0],"FIDS":1,
       "NAME_RCNM":[r[0] for r in refs],"NAME_RCID":[r[1] for r in refs],
       "ORNT":[r[2] for r in refs],"USAG":[1]*len(refs),"MASK":[2]*len(refs)}
    p.update(props)
    return {"type":"Feature","properties":p,"geometry":None}
E=lambda i,o=1:(130,i,o)
w("DEPARE",[feat(3,[E(10),E(11),E(12),E(13)],{"DRVAL1":20.0,"DRVAL2":50.0}),
            feat(3,[E(14),E(15),E(16),E(11,2)],{"DRVAL1":2.0,"DRVAL2":10.0})])
w("LNDARE",[feat(3,[E(17),E(18),E(19),E(15,2)],{"OBJNAM":"Test Island"})])
w("COALNE",[feat(2,[E(15)],{})])
w("DEPCNT",[feat(2,[E(11)],{"VALDCO":10.0})])
w("SOUNDG",[feat(1,[(110,1,255)],{})])
w("BOYLAT",[feat(1,[(110,2,255)],{"BOYSHP":2,"COLOUR":"3","CATLAM":2,"OBJNAM":"Red Can 4"})])
w("LIGHTS",[feat(1,[(110,3,255)],{"COLOUR":"1","LITCHR":2,"SIGPER":5.0,"VALNMR":8.0})])
w("M_COVR",[feat(3,[E(10),E(14),E(17),E(18),E(19),E(16),E(12),E(13)],{"CATCOV":1})])
layers=["ConnectedNode","Edge","IsolatedNode","DEPARE","LNDARE","COALNE","DEPCNT","SOUNDG","BOYLAT","LIGHTS","M_COVR"]
open("cell.vrt","w").write("<OGRVRTDataSource>\n"+"".join('  <OGRVRTLayer name="%s"><SrcDataSource relativeToVRT="1">%s.geojson</SrcDataSource></OGRVRTLayer>\n'%(l,l) for l in layers)+"</OGRVRTDataSource>\n")
